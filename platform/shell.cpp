#include "shell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace platform {

std::function<bool(const QString &file, const QString &directory)> shellExecuteHook;

namespace {

QString childPath(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

bool isRunnable(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

// The entries of `folder` called `name` regardless of letter case that satisfy `accept`: the
// exact name first, then the others in name order, so the choice is stable.
QStringList matchEntries(const QString &folder, const QString &name, QDir::Filters kinds,
                         bool (*accept)(const QString &))
{
    QStringList matches;
    const QString exact = childPath(folder, name);
    if (accept(exact))
        matches.append(exact);
    const QStringList entries = QDir(folder).entryList(
        kinds | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &entry : entries) {
        if (entry == name || entry.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const QString path = childPath(folder, entry);
        if (accept(path))
            matches.append(path);
    }
    return matches;
}

bool isFolder(const QString &path)
{
    return QFileInfo(path).isDir();
}

bool writeAll(int fd, const void *data, size_t size)
{
    const char *bytes = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Runs in the forked children, where only async-signal-safe calls are allowed: reports errno on
// the status pipe and leaves.
[[noreturn]] void failChild(int statusFd)
{
    const int error = errno;
    writeAll(statusFd, &error, sizeof error);
    _exit(127);
}

// Starts `program` in `folder`, detached: the first child makes a new session and forks the
// program's process, then exits at once and is reaped here; the program is left to init. A pipe
// closed on exec tells whether the exec happened.
bool spawnDetached(const QByteArray &program, const QByteArray &folder)
{
    int status[2];
    if (::pipe2(status, O_CLOEXEC) != 0)
        return false;

    char *const argv[] = {const_cast<char *>(program.constData()), nullptr};
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(status[0]);
        ::close(status[1]);
        return false;
    }
    if (child == 0) {
        ::close(status[0]);
        if (::setsid() < 0)
            failChild(status[1]);
        const pid_t program_pid = ::fork();
        if (program_pid < 0)
            failChild(status[1]);
        if (program_pid > 0)
            _exit(0);
        // The program starts with a clean signal state, whatever this process had set up.
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        struct sigaction fallback = {};
        fallback.sa_handler = SIG_DFL;
        sigaction(SIGPIPE, &fallback, nullptr);
        sigaction(SIGCHLD, &fallback, nullptr);
        // Nothing of ours but the standard streams reaches the program.
        ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
        if (::chdir(folder.constData()) != 0)
            failChild(status[1]);
        ::execve(program.constData(), argv, environ);
        failChild(status[1]);
    }

    ::close(status[1]);
    int childStatus = 0;
    while (::waitpid(child, &childStatus, 0) < 0 && errno == EINTR) { }
    int error = 0;
    ssize_t n;
    do {
        n = ::read(status[0], &error, sizeof error);
    } while (n < 0 && errno == EINTR);
    ::close(status[0]);
    return n == 0 && WIFEXITED(childStatus) && WEXITSTATUS(childStatus) == 0;
}

} // namespace

namespace {

// The folder path names as a native path split into its parts, with the folder to start from.
struct SplitPath
{
    QString start;
    QStringList parts;
};

std::optional<SplitPath> splitInstallPath(const QString &directory)
{
    QString path = directory;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // A drive letter names the one file system there is: the root.
    if (path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter()
        && path.at(0).unicode() < 128) {
        path = QLatin1Char('/') + path.mid(2);
    }
    if (path.isEmpty())
        return std::nullopt;
    return SplitPath {path.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QDir::currentPath(),
                      path.split(QLatin1Char('/'), Qt::SkipEmptyParts)};
}

// Visits every folder that parts[index...] can name from folder, best match first, until visit
// returns true; returns whether it did. Two folders may differ only by case, and only one of
// them may hold what is looked for, so every match is tried.
bool visitFolders(const QString &folder, const QStringList &parts, qsizetype index,
                  const std::function<bool(const QString &)> &visit)
{
    if (index == parts.size())
        return visit(QDir::cleanPath(folder));
    const QString &part = parts.at(index);
    if (part == QLatin1String("."))
        return visitFolders(folder, parts, index + 1, visit);
    if (part == QLatin1String(".."))
        return visitFolders(QFileInfo(folder).absolutePath(), parts, index + 1, visit);
    for (const QString &next : matchEntries(folder, part, QDir::Dirs, isFolder)) {
        if (visitFolders(next, parts, index + 1, visit))
            return true;
    }
    return false;
}

} // namespace

QString shellResolveDirectory(const QString &directory)
{
    const std::optional<SplitPath> path = splitInstallPath(directory);
    QString found;
    if (path) {
        visitFolders(path->start, path->parts, 0, [&](const QString &folder) {
            found = folder;
            return true;
        });
    }
    return found;
}

QString shellFindProgram(const QString &file, const QString &directory)
{
    if (file.isEmpty() || file == QLatin1String(".") || file == QLatin1String("..")
        || file.contains(QLatin1Char('/')) || file.contains(QLatin1Char('\\'))) {
        return {};
    }
    const std::optional<SplitPath> path = splitInstallPath(directory);
    if (!path)
        return {};

    QStringList names {file};
    const QLatin1String exe(".exe");
    if (file.size() > exe.size() && file.endsWith(exe, Qt::CaseInsensitive))
        names.append(file.chopped(exe.size()));
    QString program;
    visitFolders(path->start, path->parts, 0, [&](const QString &folder) {
        for (const QString &name : names) {
            const QStringList found = matchEntries(folder, name, QDir::Files, isRunnable);
            if (!found.isEmpty()) {
                program = found.first();
                return true;
            }
        }
        return false;
    });
    return program;
}

bool shellExecute(const QString &file, const QString &directory)
{
    if (shellExecuteHook)
        return shellExecuteHook(file, directory);
    const QString program = shellFindProgram(file, directory);
    if (program.isEmpty())
        return false;
    return spawnDetached(QFile::encodeName(program),
                         QFile::encodeName(QFileInfo(program).absolutePath()));
}

} // namespace platform
