// A program for the shell launch tests to start: it appends one line to the file named by
// HALVANE_PROBE_LOG saying where and how it runs. With HALVANE_PROBE_HOLD set, it first waits
// (up to a minute) until that file exists, so a test can see it still running.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <unistd.h>

int main(int argc, char **argv)
{
    const char *log = std::getenv("HALVANE_PROBE_LOG");
    if (!log)
        return 2;
    if (const char *hold = std::getenv("HALVANE_PROBE_HOLD")) {
        const timespec tick {0, 5'000'000};
        for (int i = 0; i < 12'000 && access(hold, F_OK) != 0; ++i)
            nanosleep(&tick, nullptr);
    }
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd))
        return 3;
    const std::string line = std::string("cwd=") + cwd + "\targv0=" + argv[0]
        + "\targc=" + std::to_string(argc) + "\tpid=" + std::to_string(getpid())
        + "\tsid=" + std::to_string(getsid(0)) + "\tpgid=" + std::to_string(getpgrp())
        + "\tppid=" + std::to_string(getppid()) + "\n";
    // One write of the whole line, appended, so lines of several runs never mix.
    const int fd = open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return 4;
    const bool written = write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    close(fd);
    return written ? 0 : 5;
}
