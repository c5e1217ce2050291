#include "WinExec.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

// QProcess here cannot keep its descriptors from a detached program, and the
// program must hold none of them: one that runs on would keep the web
// engine's helper processes, which wait for those to close, alive after the
// textbook ends. So the launch is done by hand, in the usual double fork.
bool WinExec(const char *commandLine, int /*showMode: a normal first window is the default here*/)
{
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return false;
    char *const argv[] = { const_cast<char *>(commandLine), nullptr };
    const pid_t middle = ::fork();
    if (middle == 0) {
        // Only async-signal-safe calls from here to exec.
        ::setsid();
        if (::fork() == 0) {
            ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
            ::execv(commandLine, argv);
            const int error = errno;
            [[maybe_unused]] const auto written = ::write(report[1], &error, sizeof error);
        }
        ::_exit(0);
    }
    ::close(report[1]);
    bool started = false;
    if (middle > 0) {
        while (::waitpid(middle, nullptr, 0) < 0 && errno == EINTR) { }
        // The pipe closes unread when exec succeeds; an errno comes back when it fails.
        int error = 0;
        ssize_t got;
        while ((got = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) { }
        started = got == 0;
    }
    ::close(report[0]);
    return started;
}
