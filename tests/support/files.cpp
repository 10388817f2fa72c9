#include "files.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testsupport {

TempFolder::TempFolder()
    : m_dir(QDir::tempPath() + QStringLiteral("/halvane-test-XXXXXX"))
{
    EXPECT_TRUE(m_dir.isValid()) << "cannot make a temporary folder";
}

TempFolder::~TempFolder()
{
    if (::testing::Test::HasFailure() && m_dir.isValid()) {
        m_dir.setAutoRemove(false);
        std::fprintf(stderr, "kept the failed test's folder %s\n", qPrintable(m_dir.path()));
    }
}

TempWindowsDir::TempWindowsDir()
    : m_wasSet(qEnvironmentVariableIsSet("HALVANE_WINDIR"))
    , m_previous(qgetenv("HALVANE_WINDIR"))
{
    qputenv("HALVANE_WINDIR", QFile::encodeName(path()));
}

TempWindowsDir::~TempWindowsDir()
{
    if (m_wasSet)
        qputenv("HALVANE_WINDIR", m_previous);
    else
        qunsetenv("HALVANE_WINDIR");
}

TempProgramFolder::TempProgramFolder(const QList<QPair<QString, QByteArray>> &files)
{
    for (const auto &[name, bytes] : files)
        EXPECT_TRUE(addFile(name, bytes)) << "cannot write " << qPrintable(filePath(name));
}

bool TempProgramFolder::addFile(const QString &name, const QByteArray &bytes) const
{
    return writeFileBytes(filePath(name), bytes);
}

QByteArray readFileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << qPrintable(path) << ": "
                      << qPrintable(file.errorString());
        return {};
    }
    return file.readAll();
}

bool pathExists(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

bool writeFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size() && file.flush();
}

QStringList folderEntries(const QString &folder)
{
    QStringList names = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    names.sort();
    return names;
}

ReadOnlyGuard::ReadOnlyGuard(const QString &path)
    : m_path(path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        m_description = QStringLiteral("%1 does not exist").arg(path);
        return;
    }
    m_folder = S_ISDIR(st.st_mode);
    m_mode = st.st_mode & 07777;
    if (::geteuid() != 0) {
        if (!applyPermissions())
            m_description
                = QStringLiteral("taking the write permissions of %1 had no effect").arg(path);
        return;
    }
    if (applyImmutable())
        return;
    if (!m_folder && applyMount())
        return;
    m_description
        = QStringLiteral("neither the immutable attribute nor a read-only mount works for %1 here")
              .arg(path);
}

ReadOnlyGuard::~ReadOnlyGuard()
{
    undo();
}

bool ReadOnlyGuard::applyImmutable()
{
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    int flags = 0;
    bool set = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (set) {
        flags |= FS_IMMUTABLE_FL;
        set = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    if (!set)
        return false;
    m_method = Method::Immutable;
    if (writingFails())
        return true;
    undo();
    return false;
}

bool ReadOnlyGuard::applyMount()
{
    const QByteArray encoded = QFile::encodeName(m_path);
    if (::mount(encoded.constData(), encoded.constData(), nullptr, MS_BIND, nullptr) != 0)
        return false;
    m_method = Method::Mount;
    if (::mount(nullptr, encoded.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr)
            == 0
        && writingFails())
        return true;
    undo();
    return false;
}

bool ReadOnlyGuard::applyPermissions()
{
    if (::chmod(QFile::encodeName(m_path).constData(), m_mode & ~0222u) != 0)
        return false;
    m_method = Method::Permissions;
    if (writingFails())
        return true;
    undo();
    return false;
}

// The guard's own check: a file must refuse to open for writing, a folder to take a new file.
bool ReadOnlyGuard::writingFails() const
{
    if (!m_folder) {
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_CLOEXEC);
        if (fd >= 0)
            ::close(fd);
        return fd < 0;
    }
    const QByteArray probe = QFile::encodeName(m_path + QStringLiteral("/.read-only-probe"));
    const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        ::unlink(probe.constData());
    }
    return fd < 0;
}

void ReadOnlyGuard::undo()
{
    const QByteArray encoded = QFile::encodeName(m_path);
    switch (m_method) {
    case Method::None:
        break;
    case Method::Immutable: {
        const int fd = ::open(encoded.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        int flags = 0;
        if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        if (fd >= 0)
            ::close(fd);
        break;
    }
    case Method::Mount:
        ::umount2(encoded.constData(), MNT_DETACH);
        break;
    case Method::Permissions:
        ::chmod(encoded.constData(), m_mode);
        break;
    }
    m_method = Method::None;
}

} // namespace testsupport
