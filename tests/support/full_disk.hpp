#pragma once
// A child process on a disk that is as good as full: files cannot grow past a limit.

#include <signal.h>
#include <sys/resource.h>

#include <QProcess>

namespace mc::testing {

// Files of `bytes` and more cannot be written by the process started next; 0 leaves it unlimited.
inline void limitFileSize(QProcess& process, rlim_t bytes) {
    if (bytes == 0) return;
    process.setChildProcessModifier([bytes] {
        const rlimit limit{bytes, bytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the program
    });
}

}  // namespace mc::testing
