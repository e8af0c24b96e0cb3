#pragma once

#include "base/failure.h"

#include <QIODevice>

#include <memory>

// Gathers what a file writer produces in small pieces (a row, a compressed block) into chunks
// of a megabyte before they reach the device: a file of a hundred megabytes written a row at a
// time would cost the system a call for every row.
class ChunkedOutput {
  public:
    static constexpr qsizetype kChunkBytes = qsizetype(1) << 20;

    explicit ChunkedOutput(QIODevice& device);
    ChunkedOutput(const ChunkedOutput&) = delete;
    ChunkedOutput& operator=(const ChunkedOutput&) = delete;

    // `size` bytes of room for the caller to fill at once: they go out with the chunk, so that
    // rows are converted straight into it.
    char* room(qsizetype size);
    void write(const char* data, qsizetype size);
    // Sends what is held. Returns false once the device has refused a write.
    bool flush();
    bool failed() const { return m_failed; }
    // Why the file could not be written, once the device has refused a write; none before.
    Failure failure() const;

  private:
    QIODevice& m_device;
    std::unique_ptr<char[]> m_chunk;
    qsizetype m_capacity;
    qsizetype m_held = 0;
    bool m_failed = false;
};
