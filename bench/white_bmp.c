/* The least a program can do to write a white page as an uncompressed 24-bit BMP: the
 * header, then the same white row again and again in 1 MB writes, into a file beside the
 * target that is synced and renamed over it, as the program replaces its files.
 *   white_bmp WIDTH HEIGHT DOTS_PER_METRE FILE
 */
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static void put(unsigned char** at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        *(*at)++ = (unsigned char)(value >> (8 * i));
}

int main(int argc, char** argv) {
    if (argc != 5) {
        fprintf(stderr, "usage: white_bmp WIDTH HEIGHT DOTS_PER_METRE FILE\n");
        return 2;
    }
    const uint32_t width = (uint32_t)atol(argv[1]);
    const uint32_t height = (uint32_t)atol(argv[2]);
    const uint32_t dotsPerMetre = (uint32_t)atol(argv[3]);
    const size_t rowBytes = ((size_t)width * 3 + 3) / 4 * 4;
    const size_t chunkBytes = (size_t)1 << 20;
    const size_t rowsPerChunk = rowBytes < chunkBytes ? chunkBytes / rowBytes : 1;
    unsigned char* chunk = malloc(rowsPerChunk * rowBytes + 54);
    unsigned char* at = chunk;
    put(&at, 'B' | 'M' << 8, 2);
    put(&at, (uint32_t)(54 + rowBytes * height), 4);
    put(&at, 0, 4);
    put(&at, 54, 4);
    put(&at, 40, 4);
    put(&at, width, 4);
    put(&at, height, 4);
    put(&at, 1, 2);
    put(&at, 24, 2);
    put(&at, 0, 4);
    put(&at, (uint32_t)(rowBytes * height), 4);
    put(&at, dotsPerMetre, 4);
    put(&at, dotsPerMetre, 4);
    put(&at, 0, 4);
    put(&at, 0, 4);

    char temporary[4096];
    snprintf(temporary, sizeof temporary, "%s.new", argv[4]);
    const int fd = open(temporary, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || write(fd, chunk, 54) != 54)
        return 1;
    memset(chunk, 0xff, rowsPerChunk * rowBytes);
    for (size_t row = 0; row < rowsPerChunk; ++row)
        memset(chunk + row * rowBytes + (size_t)width * 3, 0, rowBytes - (size_t)width * 3);
    for (uint32_t row = 0; row < height; row += (uint32_t)rowsPerChunk) {
        const size_t rows = height - row < rowsPerChunk ? height - row : rowsPerChunk;
        if (write(fd, chunk, rows * rowBytes) != (ssize_t)(rows * rowBytes))
            return 1;
    }
    if (fsync(fd) != 0 || close(fd) != 0 || rename(temporary, argv[4]) != 0)
        return 1;
    free(chunk);
    return 0;
}
