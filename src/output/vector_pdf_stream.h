#pragma once

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QSet>

#include <vector>

// Passes a vector PDF on to `target` as the writer writes it, finished for print shops, which
// the writer has no setting for:
// - every colour of the pages' drawing is set by the operators of its own colour space, and a
//   grey (equal red, green and blue) as DeviceGray, so that a grey line is not separated into
//   four inks;
// - an embedded font subset is named by its subset tag, as its descriptor names it, so that
//   checkers see a subset rather than a whole font of that name.
// It holds one object at a time, and writes the file's index anew for the offsets that changed.
class VectorPdfStream : public QIODevice {
  public:
    explicit VectorPdfStream(QIODevice& target);

    // Sends what is held back; the PDF must be complete.
    void finish();
    // Whether the target refused a write: a full disk, above all.
    bool failed() const { return m_failed; }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

  private:
    // Passes on every whole object held, and the index once it is whole.
    void passWhole();
    // The length of the whole object at the start of what is held; 0 while it is incomplete.
    qsizetype objectLength();
    QByteArray finishedObject(int number, QByteArray object);
    QByteArray finishedContents(const QByteArray& object);
    QByteArray finishedFont(int number, const QByteArray& object);
    QByteArray index() const;
    void send(const QByteArray& bytes);

    QIODevice& m_target;
    QByteArray m_held;
    qsizetype m_dataStart = 0;  // of the held object's stream; 0 while not yet found
    qsizetype m_searchFrom = 0; // where its end may start
    qint64 m_sent = 0;
    std::vector<qint64> m_offsets;      // of each object as sent, by its number; -1: none
    QSet<int> m_contents;               // the objects that hold a page's drawing
    QHash<int, qsizetype> m_lengths;    // new lengths for the objects that hold a stream's length
    QHash<int, QByteArray> m_fontNames; // the tagged name of a font descriptor, or of a font
    bool m_failed = false;
};
