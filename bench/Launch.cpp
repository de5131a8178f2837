// SPDX-License-Identifier: GPL-3.0-or-later
// kvizomat-launch: starts a program that reports its first painted frame (see
// src/desktop/FirstFrame.h) and prints "MS_TO_FIRST_FRAME PEAK_RSS_KB CPU_MS W H": the time
// from just before the process was created to that frame, then the peak resident memory
// and the processor time (user and system) of the whole run.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

long long steadyNanos() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: kvizomat-launch PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    int out[2];
    if (pipe(out) != 0) return 1;
    const long long start = steadyNanos();
    const pid_t child = fork();
    if (child < 0) return 1;
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execv(argv[1], argv + 1);
        std::fprintf(stderr, "kvizomat-launch: cannot run %s: %s\n", argv[1], std::strerror(errno));
        _exit(127);
    }
    close(out[1]);
    std::string output;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        output.append(buffer, static_cast<std::size_t>(n));
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);

    long long frame = 0;
    int width = 0, height = 0;
    const std::size_t at = output.find("first-frame ");
    if (at == std::string::npos ||
        std::sscanf(output.c_str() + at, "first-frame %lld %d %d", &frame, &width, &height) != 3) {
        std::fprintf(stderr, "kvizomat-launch: %s reported no first frame\n", argv[1]);
        return 1;
    }
    const double cpuMs = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    std::printf("%.2f %ld %.1f %d %d\n", static_cast<double>(frame - start) / 1e6, usage.ru_maxrss,
                cpuMs, width, height);
    return 0;
}
