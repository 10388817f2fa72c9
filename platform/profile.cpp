#include "platform/profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// Reading and writing one entry of an INI file.
//
// Files are bytes. One parsing function, IniText::parseLine(), tells what a line is and where the
// next one starts; reading and writing both walk the file with it. Lines it cannot make sense of
// are kept as they are and otherwise ignored, so no file content ever makes a read fail.
//
// Every write takes an exclusive lock on the folder that holds the file (flock on a descriptor of
// the folder: it needs no lock file of its own and stays valid across the rename that replaces the
// file), reads the file afresh, changes one line, writes the new contents to a temporary file
// beside it, flushes it and renames it over the old one. Readers take the same lock shared, so they
// see the file before or after a write, never during one.

namespace platform {
namespace {

constexpr char Bom[] = "\xEF\xBB\xBF";

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v';
}

QByteArrayView trimmed(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

// One outer pair of matching quotes is not part of a value.
QByteArrayView unquoted(QByteArrayView text)
{
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'')
        && text.back() == text.front())
        return text.sliced(1, text.size() - 2);
    return text;
}

// Eight bytes at a time: names are compared once per line of a section that is read.
bool isAscii(QByteArrayView text)
{
    qsizetype i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        quint64 word;
        std::memcpy(&word, text.data() + i, sizeof word);
        if (word & 0x8080808080808080ULL)
            return false;
    }
    for (; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            return false;
    }
    return true;
}

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

// Section and key names match without regard to letter case. Plain ASCII names, by far the
// common case, are compared byte by byte; names with other characters are compared as text.
bool sameName(QByteArrayView a, QByteArrayView b)
{
    if (a.size() == b.size()) {
        bool equal = true;
        for (qsizetype i = 0; i < a.size() && equal; ++i)
            equal = asciiLower(a[i]) == asciiLower(b[i]);
        if (equal)
            return true;
        if (isAscii(a) && isAscii(b))
            return false;
    } else if (isAscii(a.size() > b.size() ? a : b)) {
        // Every other character takes two bytes or more, so of two names that match as text
        // and differ in length, the longer one holds such a character.
        return false;
    }
    return decodeSettingText(a).compare(decodeSettingText(b), Qt::CaseInsensitive) == 0;
}

struct IniLine
{
    enum Kind { Other, Section, Entry };
    Kind kind = Other;
    qsizetype begin = 0; // first byte of the line
    qsizetype end = 0; // one past its last byte, before the line ending
    qsizetype next = 0; // first byte of the next line
    QByteArrayView name; // section name or key, trimmed
    qsizetype valueBegin = 0; // for an entry: the byte after its first "="
};

// The line ending a line finishes with: CR LF, LF or CR alone. Empty for an unterminated last line.
QByteArrayView lineEnding(QByteArrayView text, const IniLine &line)
{
    return text.sliced(line.end, line.next - line.end);
}

// A file's bytes as lines. Lines end at CR LF, LF or CR alone; a byte-order mark at the very start
// is no part of the first line.
class IniText
{
public:
    explicit IniText(QByteArrayView text)
        : m_text(text)
    { }
    QByteArrayView bytes() const { return m_text; }
    qsizetype size() const { return m_text.size(); }
    qsizetype firstLine() const { return m_text.startsWith(QByteArrayView(Bom)) ? 3 : 0; }

    // The parser: what the line starting at pos is, and where the next one starts.
    IniLine parseLine(qsizetype pos)
    {
        const char *data = m_text.data();
        IniLine line;
        line.begin = pos;
        line.end = std::min(m_cr.next(m_text, '\r', pos), m_lf.next(m_text, '\n', pos));
        line.next = line.end;
        if (line.next < size()) {
            const bool crlf
                = data[line.next] == '\r' && line.next + 1 < size() && data[line.next + 1] == '\n';
            line.next += crlf ? 2 : 1;
        }
        qsizetype first = line.begin;
        while (first < line.end && isBlank(data[first]))
            ++first;
        if (first == line.end || data[first] == ';')
            return line; // blank or comment
        if (data[first] == '[') {
            const auto *close = static_cast<const char *>(
                std::memchr(data + first + 1, ']', static_cast<size_t>(line.end - first - 1)));
            if (close) {
                line.kind = IniLine::Section;
                line.name = trimmed(m_text.sliced(first + 1, close - data - first - 1));
                return line;
            }
        }
        const auto *equals = static_cast<const char *>(
            std::memchr(data + first, '=', static_cast<size_t>(line.end - first)));
        if (equals) {
            line.kind = IniLine::Entry;
            line.name = trimmed(m_text.sliced(first, equals - data - first));
            line.valueBegin = equals - data + 1;
        }
        return line;
    }

    // Calls visit(line) for every line, in order, until visit returns false.
    template<typename Visit> void forEachLine(Visit visit)
    {
        for (qsizetype pos = firstLine(); pos < size();) {
            const IniLine line = parseLine(pos);
            if (!visit(line))
                return;
            pos = line.next;
        }
    }

    // The start of the first line at or after pos (a line start) that may be a section header:
    // its first non-blank byte is "[". Lets a read skip the sections it does not want quickly.
    qsizetype nextHeaderCandidate(qsizetype pos) const
    {
        const char *data = m_text.data();
        const qsizetype start = firstLine();
        while (pos < size()) {
            const auto *bracket = static_cast<const char *>(
                std::memchr(data + pos, '[', static_cast<size_t>(size() - pos)));
            if (!bracket)
                break;
            qsizetype lineStart = bracket - data;
            while (lineStart > start && isBlank(data[lineStart - 1]))
                --lineStart;
            if (lineStart == start || data[lineStart - 1] == '\n' || data[lineStart - 1] == '\r')
                return lineStart;
            pos = bracket - data + 1;
        }
        return size();
    }

private:
    // The next position of one byte, found with one memchr and reused until passed, so that a
    // file without any CR costs one search for CR in all.
    struct NextByte
    {
        qsizetype from = -1;
        qsizetype at = -1;
        qsizetype next(QByteArrayView text, char c, qsizetype pos)
        {
            if (pos < from || pos > at) {
                const void *hit
                    = std::memchr(text.data() + pos, c, static_cast<size_t>(text.size() - pos));
                from = pos;
                at = hit ? static_cast<const char *>(hit) - text.data() : text.size();
            }
            return at;
        }
    };

    QByteArrayView m_text;
    NextByte m_cr;
    NextByte m_lf;
};

// An entry's value as a read gives it: up to a NUL, without the blanks at both ends and one
// outer pair of quotes, and no longer than MaxProfileValue bytes. A cut never splits a UTF-8
// character of a UTF-8 value, which would make the whole value read as Windows-1252.
QByteArray entryValue(QByteArrayView text, const IniLine &line)
{
    QByteArrayView raw = text.sliced(line.valueBegin, line.end - line.valueBegin);
    if (const qsizetype nul = raw.indexOf('\0'); nul >= 0)
        raw = raw.first(nul);
    QByteArrayView value = unquoted(trimmed(raw));
    if (value.size() > MaxProfileValue) {
        qsizetype cut = MaxProfileValue;
        if (value.isValidUtf8()) {
            while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80)
                --cut;
        }
        value = value.first(cut);
    }
    return value.toByteArray();
}

std::optional<QByteArray> findValue(QByteArrayView text, QByteArrayView section, QByteArrayView key)
{
    const QByteArrayView wantedSection = trimmed(section);
    const QByteArrayView wantedKey = trimmed(key);
    IniText ini(text);
    for (qsizetype pos = ini.firstLine(); (pos = ini.nextHeaderCandidate(pos)) < ini.size();) {
        const IniLine header = ini.parseLine(pos);
        pos = header.next;
        if (header.kind != IniLine::Section || !sameName(header.name, wantedSection))
            continue;
        // Only the first section of a name counts.
        while (pos < text.size()) {
            const IniLine line = ini.parseLine(pos);
            if (line.kind == IniLine::Section)
                break;
            if (line.kind == IniLine::Entry && sameName(line.name, wantedKey))
                return entryValue(text, line);
            pos = line.next;
        }
        break;
    }
    return std::nullopt;
}

// The file's contents with key=value stored in section, changing one line or adding one entry or
// one section, and keeping every other byte.
QByteArray withEntry(QByteArrayView text, QByteArrayView section, QByteArrayView key,
                     QByteArrayView value)
{
    QByteArrayView eol;
    bool inSection = false;
    bool sectionFound = false;
    std::optional<IniLine> replace;
    IniLine insertAfter; // the last entry of the section, or its header
    const QByteArrayView wantedSection = trimmed(section);
    const QByteArrayView wantedKey = trimmed(key);
    IniText(text).forEachLine([&](const IniLine &line) {
        if (eol.isEmpty())
            eol = lineEnding(text, line);
        if (line.kind == IniLine::Section) {
            if (inSection)
                return false;
            if (!sectionFound && sameName(line.name, wantedSection)) {
                inSection = sectionFound = true;
                insertAfter = line;
            }
        } else if (line.kind == IniLine::Entry && inSection) {
            if (!replace && sameName(line.name, wantedKey)) {
                replace = line;
                return false;
            }
            insertAfter = line;
        }
        return true;
    });
    if (eol.isEmpty())
        eol = "\n";

    QByteArray out;
    out.reserve(text.size() + section.size() + key.size() + value.size() + 8);
    if (replace) {
        out.append(text.first(replace->valueBegin));
        out.append(value);
        out.append(text.sliced(replace->end));
    } else if (sectionFound) {
        out.append(text.first(insertAfter.next));
        if (insertAfter.next == insertAfter.end)
            out.append(eol); // the last line of the file had no line ending
        out.append(key).append('=').append(value).append(eol);
        out.append(text.sliced(insertAfter.next));
    } else {
        out.append(text);
        const bool emptyFile = text.isEmpty() || text == QByteArrayView(Bom);
        if (!emptyFile && !text.endsWith('\n') && !text.endsWith('\r'))
            out.append(eol);
        out.append('[').append(section).append(']').append(eol);
        out.append(key).append('=').append(value).append(eol);
    }
    return out;
}

// Names and values that would change the file's structure when written: a line break or NUL
// anywhere, a section name with "]", a key with "=" or one that would read as a comment or a
// section header.
bool writable(QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    auto hasBreak = [](QByteArrayView text) {
        return text.contains('\r') || text.contains('\n') || text.contains('\0');
    };
    if (hasBreak(section) || hasBreak(key) || hasBreak(value))
        return false;
    if (section.contains(']') || key.contains('='))
        return false;
    const QByteArrayView trimmedKey = trimmed(key);
    return !(trimmedKey.startsWith(';') || trimmedKey.startsWith('['));
}

// --- Files -----------------------------------------------------------------------------------

// A file descriptor that closes itself.
class Fd
{
public:
    Fd() = default;
    explicit Fd(int fd)
        : m_fd(fd)
    { }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    Fd(Fd &&other) noexcept
        : m_fd(std::exchange(other.m_fd, -1))
    { }
    Fd &operator=(Fd &&other) noexcept
    {
        reset(std::exchange(other.m_fd, -1));
        return *this;
    }
    ~Fd() { reset(); }
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    // Closes now and tells whether the close reported no error.
    bool close()
    {
        const int fd = std::exchange(m_fd, -1);
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd = -1;
};

QByteArray encodedPath(const QString &path)
{
    return QFile::encodeName(path);
}

Fd openPath(const QByteArray &path, int flags, mode_t mode = 0)
{
    int fd;
    do {
        fd = ::open(path.constData(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return Fd(fd);
}

bool lockFd(int fd, int operation)
{
    int rc;
    do {
        rc = ::flock(fd, operation);
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

// The whole of a regular file. Under our lock no writer of ours changes it, so its size is what
// there is to read; a file that some other program changes meanwhile is read as far as that size.
bool readAll(int fd, QByteArray &out)
{
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    out.resize(st.st_size);
    qsizetype filled = 0;
    while (filled < out.size()) {
        const ssize_t n = ::read(fd, out.data() + filled, static_cast<size_t>(out.size() - filled));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        filled += n;
    }
    out.truncate(filled);
    return true;
}

// Writes data into the file from byte from on; data's bytes before from are there already.
bool writeAll(int fd, QByteArrayView data, qsizetype from = 0)
{
    qsizetype done = from;
    while (done < data.size()) {
        const ssize_t n = ::pwrite(fd, data.data() + done, static_cast<size_t>(data.size() - done),
                                   static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

bool isRegularFile(const QByteArray &path)
{
    struct stat st;
    return ::stat(path.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isBareName(const QString &name)
{
    return !name.contains(QLatin1Char('/'));
}

// The folder part of a path, "." for a name without one.
QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QStringLiteral(".");
    if (slash == 0)
        return QStringLiteral("/");
    return path.first(slash);
}

QString fileNameOf(const QString &path)
{
    return path.sliced(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// The file a symbolic link finally leads to, also when that file does not exist yet. Not a link:
// the path itself.
QString linkTarget(const QString &path)
{
    QString current = path;
    for (int hops = 0; hops < 40; ++hops) {
        const QByteArray encoded = encodedPath(current);
        std::array<char, 4096> buffer;
        const ssize_t n = ::readlink(encoded.constData(), buffer.data(), buffer.size());
        if (n < 0 || n == static_cast<ssize_t>(buffer.size()))
            return current;
        const QString target = QFile::decodeName(QByteArray(buffer.data(), n));
        current = target.startsWith(QLatin1Char('/'))
            ? target
            : folderOf(current) + QLatin1Char('/') + target;
    }
    return current;
}

// The shared or exclusive lock every reader and writer of ours takes on a settings folder. A
// file system that offers no such lock (some network file systems refuse it on a folder) does not
// stop the read or the write: it goes on without the lock, as it would on a lone machine.
Fd lockFolder(const QString &folder, int operation)
{
    Fd fd = openPath(encodedPath(folder), O_RDONLY | O_DIRECTORY);
    if (fd.valid() && !lockFd(fd.get(), operation)
        && !(errno == EBADF || errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL))
        fd.reset();
    return fd;
}

bool syncFolder(int folderFd)
{
    return ::fsync(folderFd) == 0 || errno == EINVAL;
}

// Writes contents over the file in place: for a folder where no new file can be made. Space is
// reserved first, so a full disk fails before the first byte changes, and only the bytes from the
// first one that differs on are written, which keeps the moment the file is torn short.
bool writeInPlace(int fd, QByteArrayView contents, QByteArrayView old)
{
    if (contents.size() > old.size()
        && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(contents.size())) != 0
        && errno != EOPNOTSUPP)
        return false;
    const qsizetype same
        = std::mismatch(contents.begin(), contents.end(), old.begin(), old.end()).first
        - contents.begin();
    if (writeAll(fd, contents, same) && ::ftruncate(fd, static_cast<off_t>(contents.size())) == 0
        && ::fsync(fd) == 0)
        return true;
    // Put back what was there, as far as the disk lets us.
    writeAll(fd, old, same);
    if (::ftruncate(fd, static_cast<off_t>(old.size())) == 0)
        ::fsync(fd);
    return false;
}

enum class Replaced { Yes, NoNewFile, Failed };

// Replaces the file at target with contents: a new file beside it, flushed, renamed over it.
// existing holds the old file's metadata, or nothing when there is no file yet. NoNewFile: the
// folder lets no new file be made there.
Replaced replaceFile(const QString &target, int folderFd, QByteArrayView contents,
                     const std::optional<struct stat> &existing)
{
    const QByteArray targetPath = encodedPath(target);
    // The temporary name is fixed: only the holder of the folder's lock ever uses it, and a
    // leftover of a writer that was killed is simply replaced.
    const QByteArray tempPath = encodedPath(folderOf(target) + QStringLiteral("/.")
                                            + fileNameOf(target) + QStringLiteral(".new~"));
    ::unlink(tempPath.constData());
    Fd temp = openPath(tempPath, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0666);
    if (!temp.valid())
        return (errno == EACCES || errno == EPERM || errno == EROFS) ? Replaced::NoNewFile
                                                                     : Replaced::Failed;
    bool ok = true;
    if (existing) {
        // Keep owner and permissions; an owner we may not give is left as it is.
        [[maybe_unused]] const int chownResult
            = ::fchown(temp.get(), existing->st_uid, existing->st_gid);
        ok = ::fchmod(temp.get(), existing->st_mode & 07777) == 0;
    }
    ok = ok && writeAll(temp.get(), contents) && ::fsync(temp.get()) == 0;
    ok = temp.close() && ok;
    ok = ok && ::rename(tempPath.constData(), targetPath.constData()) == 0;
    if (!ok) {
        ::unlink(tempPath.constData());
        return Replaced::Failed;
    }
    syncFolder(folderFd);
    return Replaced::Yes;
}

bool writeLocked(const QString &path, QByteArrayView section, QByteArrayView key,
                 QByteArrayView value)
{
    const QString target = linkTarget(path);
    const QString targetFolder = folderOf(target);
    Fd targetLock; // the target's own folder, when a link leads elsewhere
    if (targetFolder != folderOf(path)) {
        targetLock = lockFolder(targetFolder, LOCK_EX);
        if (!targetLock.valid())
            return false;
    }
    const QByteArray targetPath = encodedPath(target);

    std::optional<struct stat> existing;
    QByteArray old;
    Fd file;
    struct stat st;
    if (::stat(targetPath.constData(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return false; // a folder or a device in the file's place
        // Opening for writing is the test that the file may be changed at all; a write must not
        // get around a read-only file by replacing it.
        file = openPath(targetPath, O_RDWR);
        if (!file.valid() || !readAll(file.get(), old) || ::fstat(file.get(), &st) != 0)
            return false;
        existing = st;
    } else if (errno != ENOENT) {
        return false;
    }

    const QByteArray contents = withEntry(old, section, key, value);
    Fd folder = targetLock.valid() ? std::move(targetLock) : Fd();
    if (!folder.valid())
        folder = openPath(encodedPath(targetFolder), O_RDONLY | O_DIRECTORY);
    if (!folder.valid())
        return false;
    switch (replaceFile(target, folder.get(), contents, existing)) {
    case Replaced::Yes:
        return true;
    case Replaced::NoNewFile:
        // A folder where no new file can be made, with a file that may be written: in place.
        return existing && writeInPlace(file.get(), contents, old);
    case Replaced::Failed:
        break;
    }
    return false;
}

} // namespace

QString windowsDirectory()
{
    const QString windir = qEnvironmentVariable("HALVANE_WINDIR");
    if (!windir.isEmpty())
        return windir;
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!config.isEmpty())
        return config + QStringLiteral("/halvane");
    return QDir::homePath() + QStringLiteral("/.config/halvane");
}

QString resolveProfilePath(const QString &name)
{
    const QString path = isBareName(name) ? windowsDirectory() + QLatin1Char('/') + name : name;
    if (isRegularFile(encodedPath(path)))
        return path; // the exact spelling wins
    const QString folder = folderOf(path);
    const QString wanted = fileNameOf(path);
    const qsizetype wantedSize = encodedPath(wanted).size();
    const bool wantedAscii = isAscii(encodedPath(wanted));
    DIR *dir = ::opendir(encodedPath(folder).constData());
    if (!dir)
        return path;
    QByteArray best;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray entryName(entry->d_name);
        if (wantedAscii && entryName.size() != wantedSize && isAscii(entryName))
            continue; // cannot match; spares decoding every name of a large folder
        if (QFile::decodeName(entryName).compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        if (!best.isEmpty() && entryName >= best)
            continue;
        if (entry->d_type != DT_REG && entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
            continue;
        if (!isRegularFile(encodedPath(folder) + '/' + entryName))
            continue;
        best = entryName;
    }
    ::closedir(dir);
    if (best.isEmpty())
        return path;
    return folder + QLatin1Char('/') + QFile::decodeName(best);
}

QByteArray readProfileString(QByteArrayView section, QByteArrayView key, QByteArrayView def,
                             const QString &fileName)
{
    const QString exact
        = isBareName(fileName) ? windowsDirectory() + QLatin1Char('/') + fileName : fileName;
    const Fd lock = lockFolder(folderOf(exact), LOCK_SH);
    QByteArray text;
    // The exact spelling first, which spares searching the folder in the common case.
    Fd file = openPath(encodedPath(exact), O_RDONLY | O_NONBLOCK);
    if (!file.valid() || !readAll(file.get(), text)) {
        const QString path = resolveProfilePath(fileName);
        if (path == exact)
            return def.toByteArray();
        file = openPath(encodedPath(path), O_RDONLY | O_NONBLOCK);
        if (!file.valid() || !readAll(file.get(), text))
            return def.toByteArray();
    }
    file.reset();
    if (std::optional<QByteArray> value = findValue(text, section, key))
        return *value;
    return def.toByteArray();
}

bool writeProfileString(QByteArrayView section, QByteArrayView key, QByteArrayView value,
                        const QString &fileName)
{
    if (!writable(section, key, value))
        return false;
    const QString folder = isBareName(fileName) ? windowsDirectory() : folderOf(fileName);
    // The Windows directory is ours to make; the folder of a full path is the caller's.
    if (isBareName(fileName) && !QDir().mkpath(folder))
        return false;
    const Fd lock = lockFolder(folder, LOCK_EX);
    if (!lock.valid())
        return false;
    // Resolved under the lock, so that two writers creating one file agree on its spelling.
    return writeLocked(resolveProfilePath(fileName), section, key, value);
}

// --- Text ------------------------------------------------------------------------------------

namespace {

// Windows-1252 from 0x80 to 0x9F. The five bytes Windows leaves undefined (81, 8D, 8F, 90, 9D)
// keep their Latin-1 meaning, as Windows' own conversion gives them.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QString decodeSettingText(QByteArrayView bytes)
{
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = (byte >= 0x80 && byte <= 0x9F) ? QChar(Cp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

QByteArray encodeSettingText(const QString &text)
{
    return text.toUtf8();
}

} // namespace platform
