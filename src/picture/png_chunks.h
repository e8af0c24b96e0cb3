#pragma once

#include <QIODevice>

// A PNG file as its decoder needs to see it: the signature and every chunk that can change a
// pixel or the image Qt makes of it, without the text, colour profiles, Exif and any other
// chunk of extra information. The decoder inflates compressed text and profiles whole before
// the picture is done, so a small file of such chunks costs seconds and gigabytes though it has
// few pixels; here they are stepped over by their lengths alone.
//
// The chunks are walked from the source's start, every length checked against the bytes the
// source holds: from a chunk that does not fit, and after the end chunk, the rest of the
// source passes unchanged, so that a file cut short or broken reads as the decoder would
// have seen it. Bytes that do not begin with the PNG signature pass whole.
class PngWithoutExtras : public QIODevice {
  public:
    // `source` must stay open and readable at random places while this device is read. Seeking
    // back walks the chunks again from the start: a decoder that reads through once, as
    // Qt's does after a look at the signature, walks them once more than the size did.
    explicit PngWithoutExtras(QIODevice& source);

    bool isSequential() const override { return false; }
    qint64 size() const override { return m_size; }
    bool seek(qint64 pos) override;

  protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    // A stretch of the source that is passed on: [begin, end).
    struct Run {
        qint64 begin = 0;
        qint64 end = 0;
    };
    // The next stretch to pass on from `at`, a chunk's start in the source, skipping the
    // chunks of extra information; an empty run at the source's end.
    Run runFrom(qint64 at);
    bool readSource(qint64 at, char* data, qint64 count);
    void restart();
    // Moves on to the next stretch when this one is used up; false at the end.
    bool toBytesLeft();
    // Moves forward by `count` bytes of what is passed on, reading nothing.
    void skip(qint64 count);

    QIODevice& m_source;
    const qint64 m_sourceSize;
    qint64 m_size = 0;
    Run m_run;          // the stretch being passed on
    qint64 m_runAt = 0; // where in it the next byte comes from
    qint64 m_at = 0;    // where in what is passed on
};
