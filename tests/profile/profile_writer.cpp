// A writer of settings started by the profile tests as a real process. What it does is chosen by
// its arguments:
//
//   profile_writer [options] write FILE SECTION KEY VALUE
//       one write; exit status 0 when it reached the file, 1 when it failed
//   profile_writer [options] many FILE SECTION PREFIX COUNT
//       COUNT writes of keys PREFIX0, PREFIX1, ... with values v-PREFIX0, ...; exit status 1 at the
//       first failed write
//   profile_writer [options] loop FILE SECTION PREFIX VALUESIZE
//       keys PREFIX0, PREFIX1, ... with values of VALUESIZE bytes, without end, printing the number
//       of each entry on its own line once its write returned
//
// Options: --wait-for-start reads one byte from standard input before the first write, so that
// several writers can be let go at one moment; --max-file-size N limits the size of any file the
// process writes to N bytes, the way a full disk stops a write.
#include "platform/profile.h"

#include <QByteArray>
#include <QString>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <sys/resource.h>
#include <unistd.h>

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: profile_writer [--wait-for-start] [--max-file-size N] "
                 "write|many|loop FILE SECTION ...\n");
    return 2;
}

QByteArray loopValue(int index, int size)
{
    QByteArray value = QByteArray::number(index) + '-';
    while (value.size() < size)
        value.append(static_cast<char>('a' + value.size() % 26));
    return value;
}

} // namespace

int main(int argc, char **argv)
{
    int arg = 1;
    bool waitForStart = false;
    while (arg < argc && std::strncmp(argv[arg], "--", 2) == 0) {
        if (std::strcmp(argv[arg], "--wait-for-start") == 0) {
            waitForStart = true;
            ++arg;
        } else if (std::strcmp(argv[arg], "--max-file-size") == 0 && arg + 1 < argc) {
            const rlimit limit {std::strtoul(argv[arg + 1], nullptr, 10),
                                std::strtoul(argv[arg + 1], nullptr, 10)};
            // A write beyond the limit then fails with EFBIG instead of ending the process.
            std::signal(SIGXFSZ, SIG_IGN);
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                return 3;
            arg += 2;
        } else {
            return usage();
        }
    }
    if (argc - arg < 5)
        return usage();
    const QByteArray mode = argv[arg];
    const QString file = QString::fromLocal8Bit(argv[arg + 1]);
    const QByteArray section = argv[arg + 2];
    if (waitForStart) {
        char go;
        if (::read(STDIN_FILENO, &go, 1) != 1)
            return 3;
    }
    if (mode == "write")
        return platform::writeProfileString(section, argv[arg + 3], argv[arg + 4], file) ? 0 : 1;
    if (mode == "many") {
        const QByteArray prefix = argv[arg + 3];
        const int count = std::atoi(argv[arg + 4]);
        for (int i = 0; i < count; ++i) {
            const QByteArray key = prefix + QByteArray::number(i);
            if (!platform::writeProfileString(section, key, "v-" + key, file))
                return 1;
        }
        return 0;
    }
    if (mode == "loop") {
        const QByteArray prefix = argv[arg + 3];
        const int size = std::atoi(argv[arg + 4]);
        for (int i = 0;; ++i) {
            if (!platform::writeProfileString(section, prefix + QByteArray::number(i),
                                              loopValue(i, size), file))
                return 1;
            std::printf("%d\n", i);
            std::fflush(stdout);
        }
    }
    return usage();
}
