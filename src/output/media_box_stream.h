#pragma once

#include <QByteArray>
#include <QIODevice>

// Passes a PDF on to `target` as the writer writes it, with every media box the writer gave
// its pages written over by the exact one of as many bytes. It holds back only what could be
// the start of a media box, and gathers small writes into larger ones: a file of many pages
// never lies whole in memory.
class MediaBoxStream : public QIODevice {
  public:
    // A `written` box of no bytes passes the PDF on unchanged.
    MediaBoxStream(QIODevice& target, QByteArray written, QByteArray exact);

    // Sends what is held back; the PDF must be complete.
    void finish();
    // How many media boxes have been written over.
    int boxesCut() const { return m_boxesCut; }
    // Whether the target refused a write: a full disk, above all.
    bool failed() const { return m_failed; }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

  private:
    void cutBoxes();
    void send(qsizetype byteCount);

    QIODevice& m_target;
    QByteArray m_written;
    QByteArray m_exact;
    QByteArray m_held;
    qsizetype m_searchFrom = 0; // no box starts before this in `m_held`
    int m_boxesCut = 0;
    bool m_failed = false;
};
