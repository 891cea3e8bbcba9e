// Standard output on POSIX systems: the bytes go out unchanged.
#include "console_output.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Waits until a non-blocking standard output can take more; false when it
// never will.
bool WaitUntilWritable() {
    pollfd Output{STDOUT_FILENO, POLLOUT, 0};
    while (true) {
        const int Ready = poll(&Output, 1, -1);
        if (Ready > 0) {
            return (Output.revents & (POLLERR | POLLHUP | POLLNVAL)) == 0;
        }
        if (Ready < 0 && errno != EINTR) {
            return false;
        }
    }
}

// Interrupted, or a non-blocking output that has room again: the write is
// tried once more.
bool CanRetry(int Error) {
    return Error == EINTR || ((Error == EAGAIN || Error == EWOULDBLOCK) && WaitUntilWritable());
}

void HandOverToStandardOutput(const char* Bytes, std::size_t Count) {
    while (Count > 0) {
        const ssize_t Written = write(STDOUT_FILENO, Bytes, Count);
        if (Written > 0) {
            Bytes += Written;
            Count -= static_cast<std::size_t>(Written);
        } else if (Written < 0 && CanRetry(errno)) {
            continue;
        } else {
            return;  // closed, full or gone: the text is lost, the run goes on
        }
    }
}

// A closed standard output would let the next file the driver opens take
// descriptor 1, and the report would be written into it; /dev/null holds the
// place instead.
void HoldStandardOutputPlace() {
    if (fcntl(STDOUT_FILENO, F_GETFD) != -1 || errno != EBADF) {
        return;
    }
    const int Null = open("/dev/null", O_WRONLY);
    if (Null >= 0 && Null != STDOUT_FILENO) {
        dup2(Null, STDOUT_FILENO);
        close(Null);
    }
}

}  // namespace

ReportWriter ConsoleReportWriter() {
    // A reader that has gone away must not end the process: write then fails
    // with EPIPE and the run goes on.
    signal(SIGPIPE, SIG_IGN);
    HoldStandardOutputPlace();
    return MakeReportWriter(HandOverToStandardOutput);
}
