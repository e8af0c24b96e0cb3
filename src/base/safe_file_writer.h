#pragma once

#include "base/failure.h"
#include "base/interrupted_files.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <sys/types.h>

// The reason a write gives when the volume has no room left.
inline const QString kDiskFullMessage = QStringLiteral("Disk full.");

// Writes straight to a file descriptor. A write the system takes only in part is carried on
// with the rest, and one it refuses is remembered with the system's reason: the toolkit's own
// file reports a write cut short by a full disk as a success, or as an unknown error.
class WholeWriteDevice : public QIODevice {
  public:
    void start(int descriptor);
    // The system's error code of the first write that failed; 0 while every write went through.
    int failure() const { return m_failure; }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

  private:
    int m_descriptor = -1;
    int m_failure = 0;
};

// Makes a new, empty file of a name beside `path` that no file had, with `mode` as the umask
// leaves it, registered in `removed` so that an interrupt removes it; no file of someone else
// is ever taken. Returns its descriptor, or -1 with errno set; `madePath` is its name.
int createFileBeside(const QByteArray& path, mode_t mode, QByteArray& madePath,
                     InterruptRemovedFile& removed);

// Replaces a file whole or not at all. The new content goes to a file beside the old one and
// takes its place only when every byte of it is known to be on the disk: a write that fails
// part way, on a full disk above all, leaves the old file exactly as it was. The name reaches
// the system as its own bytes, UTF-8 or not. A link is followed, and the file it leads to is
// replaced; a file that is replaced keeps its permissions. An interrupting signal removes the
// unfinished file (see removeFilesOnInterrupt).
class SafeFileWriter {
  public:
    explicit SafeFileWriter(const QString& fileName);
    // A writer left without a commit takes its unfinished file with it.
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Starts the new file. Returns why it cannot be created, if it cannot.
    Failure open();
    // Where the caller writes the content. A write fails whole or not at all; a failure need
    // not be checked here, as the commit finds it.
    QIODevice& device() { return m_device; }
    // Puts the new file in place of the old one, or returns why it cannot: "Disk full." or
    // the system's reason. On failure the new file is removed and the old one stays.
    Failure commit();
    // Gives up a write that its writer could not finish; the old file stays. Returns the
    // file's own failure, if it had one, which says more than the writer can (a picture
    // writer meeting a full disk knows only that it failed).
    Failure cancel();

  private:
    // A set of files replaces its targets itself, all together.
    friend class SafeFileSet;

    Failure writeFailure() const;
    // Closes the new file, with its content on the disk; returns why it could not.
    Failure closeFile();
    // The new file has taken the old one's name, and is no longer the writer's to remove.
    void placed();
    // Closes the new file and removes it.
    void discard();

    QString m_fileName;
    QByteArray m_temporaryPath;
    QByteArray m_finalPath;
    int m_descriptor = -1;
    WholeWriteDevice m_device;
    InterruptRemovedFile m_removedOnInterrupt;
};
