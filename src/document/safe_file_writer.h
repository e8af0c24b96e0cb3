#pragma once

#include <QSaveFile>
#include <QString>

#include <optional>

// The reason a write gives when the volume has no room left.
inline const QString kDiskFullMessage = QStringLiteral("Disk full.");

// Replaces a file whole or not at all. The new content goes to a file beside the old one and
// takes its place only when every byte of it is known to be on the disk: a write that fails
// part way, on a full disk above all, leaves the old file exactly as it was.
//
// The toolkit buffers what is written and may meet a full disk only while committing, after
// which it would rename the cut-short file over the old one; so the buffer is flushed and
// synced, and every step checked, before the rename.
class SafeFileWriter {
  public:
    explicit SafeFileWriter(const QString& fileName);

    // Starts the new file. Returns why it cannot be created, if it cannot.
    [[nodiscard]] std::optional<QString> open();
    // Where the caller writes the content.
    QIODevice& device() { return m_file; }
    // Puts the new file in place of the old one, or returns why it cannot: "Disk full." or
    // the system's reason. On failure the new file is removed and the old one stays.
    [[nodiscard]] std::optional<QString> commit();
    // Gives up a write that its writer could not finish; the old file stays. Returns the
    // file's own failure, if it had one, which says more than the writer can (a picture
    // writer meeting a full disk knows only that it failed).
    std::optional<QString> cancel();

  private:
    std::optional<QString> failure(const QString& action) const;

    QSaveFile m_file;
};
