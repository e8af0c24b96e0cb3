#pragma once

#include <QByteArray>

// An interrupted command (Ctrl-C, kill, a closed terminal) must not leave its unfinished files
// beside the files they were to replace: a notebook of many large pages leaves gigabytes.

// Installs the handlers of SIGINT, SIGTERM and SIGHUP: the signal removes every file registered
// below and ends the program with 128 + the signal's number, as a shell reports a program that
// a signal ended. A signal ignored when the program started (under nohup) stays ignored.
void removeFilesOnInterrupt();

// A file that an interrupt removes while it is registered here. The handler may run at any
// moment, so it reads only a fixed table that registering fills in without allocating. A file
// registered with a name too long for the table, or when the table is full, is not removed.
class InterruptRemovedFile {
  public:
    InterruptRemovedFile() = default;
    ~InterruptRemovedFile() { forget(); }
    InterruptRemovedFile(const InterruptRemovedFile&) = delete;
    InterruptRemovedFile& operator=(const InterruptRemovedFile&) = delete;

    // Registers `path`, in place of any file registered before. The file need not exist yet:
    // registered before it is made, it cannot be made and left in between.
    void remember(const QByteArray& path);
    // The file is the program's to keep, or gone already.
    void forget();

  private:
    int m_slot = -1;
};

// Holds an interrupt back while it lives, for the few steps that put a set of files in place
// or back: stopped between two of them, the set would be half old and half new. The interrupt
// takes effect when the last holder goes.
class InterruptsHeldBack {
  public:
    InterruptsHeldBack();
    ~InterruptsHeldBack();
    InterruptsHeldBack(const InterruptsHeldBack&) = delete;
    InterruptsHeldBack& operator=(const InterruptsHeldBack&) = delete;
};
