// Real writer processes: several at once lose nothing, a writer killed at any moment leaves a
// whole file, and a full disk fails a write without touching the file.
#include "platform/profile.h"
#include "support/files.h"
#include "support/paths.h"
#include "support/printers.h"

#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

using testsupport::folderEntries;
using testsupport::readFileBytes;
using testsupport::ReadOnlyGuard;
using testsupport::TempFolder;
using testsupport::TempWindowsDir;
using testsupport::writeFileBytes;

// One run of the writer program, with a pipe to its standard input and one from its output.
class Writer
{
public:
    explicit Writer(const QStringList &arguments)
    {
        int in[2];
        int out[2];
        if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        const QByteArray program
            = QFile::encodeName(testsupport::buildBinDir() + QStringLiteral("/profile_writer"));
        std::vector<QByteArray> encoded {program};
        for (const QString &argument : arguments)
            encoded.push_back(argument.toLocal8Bit());
        std::vector<char *> argv;
        for (QByteArray &argument : encoded)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        if (::posix_spawn(&m_pid, program.constData(), &actions, nullptr, argv.data(), environ)
            != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(in[0]);
        ::close(out[1]);
        m_stdin = in[1];
        m_stdout = out[0];
    }
    ~Writer()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            wait();
        }
        closeStdin();
        if (m_stdout >= 0)
            ::close(m_stdout);
    }
    Writer(const Writer &) = delete;
    Writer &operator=(const Writer &) = delete;

    bool started() const { return m_pid > 0; }
    // Lets a writer that waits for its start go.
    bool start() { return ::write(m_stdin, "g", 1) == 1; }
    void closeStdin()
    {
        if (m_stdin >= 0)
            ::close(m_stdin);
        m_stdin = -1;
    }
    // The next line of output, waiting for it at most ten seconds; empty at the end of output.
    std::string readLine()
    {
        for (;;) {
            const size_t newline = m_buffer.find('\n');
            if (newline != std::string::npos) {
                std::string line = m_buffer.substr(0, newline);
                m_buffer.erase(0, newline + 1);
                return line;
            }
            pollfd fd {m_stdout, POLLIN, 0};
            if (::poll(&fd, 1, 10000) <= 0)
                return {};
            char chunk[256];
            const ssize_t n = ::read(m_stdout, chunk, sizeof chunk);
            if (n <= 0)
                return {};
            m_buffer.append(chunk, static_cast<size_t>(n));
        }
    }
    void kill() { ::kill(m_pid, SIGKILL); }
    int stdoutFd() const { return m_stdout; }
    // The exit status, or -1 when the process did not exit normally.
    int wait()
    {
        int status = 0;
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) { }
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t m_pid = -1;
    int m_stdin = -1;
    int m_stdout = -1;
    std::string m_buffer;
};

// Four processes let go at one moment, each writing 500 keys of its own into one file that none
// of them finds at first, each spelling its name differently, leave one file with all 2,000
// entries, round after round.
TEST(ProfileProcesses, ConcurrentWritersLoseNothing)
{
    constexpr int Writers = 4;
    constexpr int Keys = 500;
    for (int round = 0; round < 5; ++round) {
        TempWindowsDir windir;
        const QString names[Writers] = {QStringLiteral("Win.Ini"), QStringLiteral("WIN.INI"),
                                        QStringLiteral("win.ini"), windir.filePath("wIN.iNI")};
        std::vector<std::unique_ptr<Writer>> writers;
        for (int w = 0; w < Writers; ++w) {
            writers.push_back(std::make_unique<Writer>(QStringList {
                QStringLiteral("--wait-for-start"), QStringLiteral("many"), names[w],
                QStringLiteral("Shared"), QStringLiteral("w%1-").arg(w), QString::number(Keys)}));
            ASSERT_TRUE(writers.back()->started());
        }
        for (auto &writer : writers)
            ASSERT_TRUE(writer->start());
        for (auto &writer : writers)
            EXPECT_EQ(writer->wait(), 0) << "round " << round;

        const QStringList files = folderEntries(windir.path());
        ASSERT_EQ(files.size(), 1) << "round " << round << ": " << qPrintable(files.join(' '));
        const QByteArray file = readFileBytes(windir.filePath(files.front()));
        QList<QByteArray> lines = file.split('\n');
        ASSERT_EQ(lines.takeLast(), QByteArray()) << "round " << round;
        ASSERT_EQ(lines.takeFirst(), "[Shared]") << "round " << round;
        QSet<QByteArray> expected;
        for (int w = 0; w < Writers; ++w) {
            for (int i = 0; i < Keys; ++i) {
                const QByteArray key = "w" + QByteArray::number(w) + "-" + QByteArray::number(i);
                expected.insert(key + "=v-" + key);
            }
        }
        EXPECT_EQ(lines.size(), Writers * Keys) << "round " << round;
        EXPECT_EQ(QSet<QByteArray>(lines.begin(), lines.end()), expected) << "round " << round;
    }
}

// A reader running while another process writes sees the file before or after each write, never
// a half-written or empty one: the entries at both ends of the file are always there. Also where
// the folder takes no new file and the file is rewritten in place.
TEST(ProfileProcesses, ReaderNeverSeesAHalfWrittenFile)
{
    for (const bool inPlace : {false, true}) {
        TempWindowsDir windir;
        ASSERT_TRUE(writeFileBytes(windir.filePath("Win.Ini"), "[S]\nfirst=1\n[Z]\nlast=2\n"));
        std::optional<ReadOnlyGuard> guard;
        if (inPlace) {
            guard.emplace(windir.path());
            HALVANE_REQUIRE_READ_ONLY(*guard);
        }
        Writer writer({QStringLiteral("--wait-for-start"), QStringLiteral("many"),
                       QStringLiteral("Win.Ini"), QStringLiteral("S"), QStringLiteral("k"),
                       QStringLiteral("300")});
        ASSERT_TRUE(writer.started());
        ASSERT_TRUE(writer.start());
        writer.closeStdin();
        int reads = 0;
        int torn = 0;
        // The writer's output closes when it ends.
        for (pollfd done {writer.stdoutFd(), POLLIN, 0}; ::poll(&done, 1, 0) == 0; ++reads) {
            if (platform::readProfileString("S", "first", "", QStringLiteral("Win.Ini")) != "1"
                || platform::readProfileString("Z", "last", "", QStringLiteral("Win.Ini")) != "2")
                ++torn;
        }
        EXPECT_EQ(writer.wait(), 0) << "in place " << inPlace;
        EXPECT_EQ(torn, 0) << "in place " << inPlace << ", of " << reads << " reads";
        EXPECT_EQ(platform::readProfileString("S", "k299", "", QStringLiteral("Win.Ini")),
                  "v-k299");
        EXPECT_EQ(folderEntries(windir.path()), QStringList {QStringLiteral("Win.Ini")});
    }
}

// The value the writer's loop gives entry index (keep in step with profile_writer.cpp).
QByteArray loopValue(int index, int size)
{
    QByteArray value = QByteArray::number(index) + '-';
    while (value.size() < size)
        value.append(static_cast<char>('a' + value.size() % 26));
    return value;
}

// A writer killed at random moments, 200 times, leaves the file it started from or the file with
// its one entry more: never a torn or empty one, never one with an entry lost.
TEST(ProfileProcesses, KilledWriterLeavesAWholeFile)
{
    constexpr int Kills = 200;
    constexpr int ValueSize = 200;
    TempWindowsDir windir;
    const QString path = windir.filePath("Win.Ini");
    std::mt19937 random(20261211);
    QByteArray confirmed = "[Crash]\n";
    ASSERT_TRUE(writeFileBytes(path, confirmed));
    int lostInFlight = 0;
    for (int round = 0; round < Kills; ++round) {
        const QString prefix = QStringLiteral("r%1-").arg(round);
        Writer writer({QStringLiteral("loop"), path, QStringLiteral("Crash"), prefix,
                       QString::number(ValueSize)});
        ASSERT_TRUE(writer.started());
        // Let it finish a random number of writes, then kill it a random while later, somewhere
        // inside the next write.
        const int finished = std::uniform_int_distribution<int>(1, 3)(random);
        for (int i = 0; i < finished; ++i)
            ASSERT_EQ(writer.readLine(), std::to_string(i)) << "round " << round;
        const auto spinUntil = std::chrono::steady_clock::now()
            + std::chrono::microseconds(std::uniform_int_distribution<int>(0, 1500)(random));
        while (std::chrono::steady_clock::now() < spinUntil) { }
        writer.kill();
        writer.wait();
        // Writes it confirmed after the ones waited for also count.
        int done = finished;
        for (std::string line = writer.readLine(); !line.empty(); line = writer.readLine())
            ASSERT_EQ(line, std::to_string(done++)) << "round " << round;

        for (int i = 0; i < done; ++i) {
            confirmed
                += prefix.toLatin1() + QByteArray::number(i) + "=" + loopValue(i, ValueSize) + "\n";
        }
        const QByteArray inFlight = confirmed + prefix.toLatin1() + QByteArray::number(done) + "="
            + loopValue(done, ValueSize) + "\n";
        const QByteArray now = readFileBytes(path);
        ASSERT_TRUE(now == confirmed || now == inFlight)
            << "round " << round << ": torn file of " << now.size() << " bytes";
        if (now == inFlight)
            confirmed = inFlight;
        else
            ++lostInFlight;
    }
    // A later write clears what a killed writer left behind.
    ASSERT_TRUE(platform::writeProfileString("Crash", "after", "1", path));
    EXPECT_EQ(readFileBytes(path), confirmed + "after=1\n");
    EXPECT_EQ(folderEntries(windir.path()), QStringList {QStringLiteral("Win.Ini")});
    std::printf("%d of %d kills fell before the entry in flight reached the file\n", lostInFlight,
                Kills);
}

struct FullDiskCase
{
    const char *name;
    bool readOnlyFolder; // the in-place write where the folder takes no new file
};

// A file that would grow beyond what the disk takes fails the write and stays byte for byte,
// with no new file left beside it; the same write goes through when there is room.
TEST(ProfileProcesses, FullDiskFailsTheWrite)
{
    for (const FullDiskCase row :
         {FullDiskCase {"replace", false}, FullDiskCase {"in place", true}}) {
        TempWindowsDir windir;
        const QByteArray before = "[S]\nk=" + QByteArray(100, 'a') + "\n";
        ASSERT_TRUE(writeFileBytes(windir.filePath("Win.Ini"), before));
        std::optional<ReadOnlyGuard> guard;
        if (row.readOnlyFolder) {
            guard.emplace(windir.path());
            HALVANE_REQUIRE_READ_ONLY(*guard);
        }
        const QString big(300, QLatin1Char('b'));
        Writer full({QStringLiteral("--max-file-size"), QString::number(before.size() + 50),
                     QStringLiteral("write"), QStringLiteral("Win.Ini"), QStringLiteral("S"),
                     QStringLiteral("k"), big});
        ASSERT_TRUE(full.started());
        EXPECT_EQ(full.wait(), 1) << row.name;
        EXPECT_EQ(readFileBytes(windir.filePath("Win.Ini")), before) << row.name;
        EXPECT_EQ(folderEntries(windir.path()), QStringList {QStringLiteral("Win.Ini")})
            << row.name;

        Writer roomy({QStringLiteral("--max-file-size"), QString::number(1000),
                      QStringLiteral("write"), QStringLiteral("Win.Ini"), QStringLiteral("S"),
                      QStringLiteral("k"), big});
        ASSERT_TRUE(roomy.started());
        EXPECT_EQ(roomy.wait(), 0) << row.name;
        EXPECT_EQ(readFileBytes(windir.filePath("Win.Ini")), "[S]\nk=" + big.toLatin1() + "\n")
            << row.name;
    }
}

// On a really full file system (a small tmpfs, where this process may mount one) a write that
// needs more room fails and leaves the file and the folder as they were.
TEST(ProfileProcesses, FullFileSystemFailsTheWrite)
{
    TempFolder mountPoint;
    const QByteArray where = QFile::encodeName(mountPoint.path());
    if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here: " << std::strerror(errno);
    struct Unmount
    {
        const QByteArray &where;
        ~Unmount() { ::umount2(where.constData(), MNT_DETACH); }
    } unmount {where};

    const QString file = mountPoint.filePath("Dv.Lng");
    const QByteArray before = "[eng]\nSize.1=A4\n";
    ASSERT_TRUE(writeFileBytes(file, before));
    // Fill every block that is left.
    {
        QFile filler(mountPoint.filePath("filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size() && filler.flush()) { }
    }
    const QByteArray value(5000, 'v');
    EXPECT_FALSE(platform::writeProfileString("eng", "Size.2", value, file));
    EXPECT_EQ(readFileBytes(file), before);
    EXPECT_EQ(folderEntries(mountPoint.path()),
              (QStringList {QStringLiteral("Dv.Lng"), QStringLiteral("filler")}));
    ASSERT_TRUE(QFile::remove(mountPoint.filePath("filler")));
    EXPECT_TRUE(platform::writeProfileString("eng", "Size.2", value, file));
    EXPECT_EQ(readFileBytes(file), before + "Size.2=" + value + "\n");
}

} // namespace
