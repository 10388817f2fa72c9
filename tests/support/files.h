#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QTemporaryDir>

// Files and folders for tests: temporary folders kept when a test fails, a temporary Windows
// directory, a program folder holding given files, whole files as bytes, and a read-only guard
// that holds also for root.
namespace testsupport {

// A temporary folder, removed with everything in it at the end, unless the running test has
// failed: then it is kept and its path printed, so the files can be looked at.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    // The folder, without a trailing separator.
    QString path() const { return m_dir.path(); }
    // A name inside the folder.
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

// A temporary folder that bare settings names lead to: HALVANE_WINDIR names it while the object
// lives and gets its previous value (or absence) back afterwards.
class TempWindowsDir : public TempFolder
{
public:
    TempWindowsDir();
    ~TempWindowsDir();

private:
    bool m_wasSet = false;
    QByteArray m_previous;
};

// A program folder holding the given files (name, bytes), as a program's installation has them.
class TempProgramFolder : public TempFolder
{
public:
    explicit TempProgramFolder(const QList<QPair<QString, QByteArray>> &files = {});
    // The folder with its trailing separator, as a program folder is spelt.
    QString folder() const { return path() + QLatin1Char('/'); }
    // Adds or replaces one file.
    bool addFile(const QString &name, const QByteArray &bytes) const;
};

// The whole file as bytes. A file that cannot be read fails the running test and gives empty bytes.
QByteArray readFileBytes(const QString &path);
// Whether path names something (also a dangling symbolic link).
bool pathExists(const QString &path);
// Writes the whole file, replacing what was there. False when it could not be written.
bool writeFileBytes(const QString &path, const QByteArray &bytes);
// The names in a folder, hidden ones included, sorted; "." and ".." left out.
QStringList folderEntries(const QString &folder);

// Makes a file or folder really read-only while the object lives, also for root, and undoes it
// afterwards. For root it sets the immutable attribute (which needs an ext-like file system); a
// file where that does not work is bind-mounted read-only onto itself instead. Anyone else gets
// the write permissions taken away. A read-only folder still lets its files be changed in place.
// ok() tells whether writing really fails now; it is checked, not assumed.
class ReadOnlyGuard
{
public:
    explicit ReadOnlyGuard(const QString &path);
    ~ReadOnlyGuard();
    ReadOnlyGuard(const ReadOnlyGuard &) = delete;
    ReadOnlyGuard &operator=(const ReadOnlyGuard &) = delete;

    bool ok() const { return m_method != Method::None; }
    // What was tried, for the message of a test that cannot go on.
    QString description() const { return m_description; }

private:
    enum class Method { None, Immutable, Mount, Permissions };
    bool applyImmutable();
    bool applyMount();
    bool applyPermissions();
    bool writingFails() const;
    void undo();

    QString m_path;
    bool m_folder = false;
    Method m_method = Method::None;
    unsigned m_mode = 0;
    QString m_description;
};

} // namespace testsupport

// Skips the running test, saying why, when the guard could not make its path read-only here (for
// root: neither the immutable attribute nor a read-only bind mount is available).
#define HALVANE_REQUIRE_READ_ONLY(guard)                                                           \
    if (!(guard).ok())                                                                             \
    GTEST_SKIP() << qPrintable((guard).description())
