/* Runs a command and reports when its first window is mapped on the X display: one line
 * "WALL-ms CPU-ms", the time since the start and the CPU time the command's threads had
 * spent by then. The command is killed once its window is there.
 *
 *   window_mapped COMMAND [ARGUMENTS...]
 */
#define _GNU_SOURCE
#include <X11/Xlib.h>

#include <dirent.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double nowMs(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

/* The CPU time of every thread of `pid` so far, from the scheduler's own nanoseconds. */
static double cpuMs(pid_t pid) {
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/task", (int)pid);
    DIR* tasks = opendir(path);
    double total = 0;
    for (struct dirent* task; tasks && (task = readdir(tasks));) {
        if (task->d_name[0] == '.')
            continue;
        char file[512];
        snprintf(file, sizeof file, "%s/%s/schedstat", path, task->d_name);
        FILE* stat = fopen(file, "r");
        unsigned long long ns = 0;
        if (stat && fscanf(stat, "%llu", &ns) == 1)
            total += ns / 1e6;
        if (stat)
            fclose(stat);
    }
    if (tasks)
        closedir(tasks);
    return total;
}

int main(int argc, char* argv[]) {
    if (argc < 2) {
        fputs("usage: window_mapped COMMAND [ARGUMENTS...]\n", stderr);
        return 2;
    }
    /* A server just started may name its display a moment before it takes connections. */
    Display* display = XOpenDisplay(NULL);
    for (int tries = 0; !display && tries < 100; ++tries) {
        usleep(50000);
        display = XOpenDisplay(NULL);
    }
    if (!display) {
        fputs("window_mapped: no X display.\n", stderr);
        return 1;
    }
    /* Without a window manager, every top-level window is a child of the root. */
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    for (int mapped = 0; !mapped;) {
        if (!XPending(display)) {
            /* A command that ends without a window would be waited for forever. */
            if (waitpid(child, NULL, WNOHANG) == child) {
                fprintf(stderr, "window_mapped: %s ended without a window.\n", argv[1]);
                return 1;
            }
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(ConnectionNumber(display), &readable);
            struct timeval wait = {0, 10000};
            select(ConnectionNumber(display) + 1, &readable, NULL, NULL, &wait);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        mapped = event.type == MapNotify && !event.xmap.override_redirect;
    }
    const double wall = nowMs() - start;
    const double cpu = cpuMs(child);
    kill(child, SIGKILL);
    waitpid(child, NULL, 0);
    printf("%.2f %.2f\n", wall, cpu);
    return 0;
}
