#include "base/interrupted_files.h"

#include <atomic>
#include <climits>
#include <cstring>

#include <signal.h>
#include <unistd.h>

namespace {

// More files than a template bundle and its writers have open at once.
constexpr int kSlots = 32;

// A slot is claimed by one writer, then filled with the name, then armed; the handler reads
// only armed slots, whose names are complete.
struct Slot {
    std::atomic<bool> claimed{false};
    std::atomic<bool> armed{false};
    char path[PATH_MAX];
};
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free,
              "the handler may touch only atomics that need no lock");

Slot g_slots[kSlots];
std::atomic<int> g_holders{0};
std::atomic<int> g_pendingSignal{0};

void removeFilesAndEnd(int signal) {
    for (Slot& slot : g_slots) {
        if (slot.armed.load())
            ::unlink(slot.path);
    }
    ::_exit(128 + signal);
}

void onInterrupt(int signal) {
    // Stored before the holders are read, and released in the opposite order: either the
    // handler sees no holder, or the last holder sees the signal.
    g_pendingSignal.store(signal);
    if (g_holders.load() == 0)
        removeFilesAndEnd(signal);
}

} // namespace

void removeFilesOnInterrupt() {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction old {};
        if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN)
            continue;
        struct sigaction action {};
        action.sa_handler = onInterrupt;
        // A held-back interrupt returns from the handler; the step it came in goes on.
        action.sa_flags = SA_RESTART;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

void InterruptRemovedFile::remember(const QByteArray& path) {
    forget();
    if (path.size() >= PATH_MAX)
        return;
    for (int i = 0; i < kSlots; ++i) {
        bool free = false;
        if (g_slots[i].claimed.compare_exchange_strong(free, true)) {
            std::memcpy(g_slots[i].path, path.constData(), size_t(path.size()) + 1);
            g_slots[i].armed.store(true);
            m_slot = i;
            return;
        }
    }
}

void InterruptRemovedFile::forget() {
    if (m_slot < 0)
        return;
    g_slots[m_slot].armed.store(false);
    g_slots[m_slot].claimed.store(false);
    m_slot = -1;
}

InterruptsHeldBack::InterruptsHeldBack() {
    g_holders.fetch_add(1);
}

InterruptsHeldBack::~InterruptsHeldBack() {
    if (g_holders.fetch_sub(1) == 1) {
        if (const int signal = g_pendingSignal.load())
            removeFilesAndEnd(signal);
    }
}
