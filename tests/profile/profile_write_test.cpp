// Writing one entry: the one line that changes, the bytes that stay, and writes that must fail
// without touching the file.
#include "platform/profile.h"
#include "support/files.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using testsupport::folderEntries;
using testsupport::readFileBytes;
using testsupport::ReadOnlyGuard;
using testsupport::TempFolder;
using testsupport::TempWindowsDir;
using testsupport::writeFileBytes;

struct WriteCase
{
    const char *name;
    std::optional<QByteArray> before; // nothing: no file
    const char *section;
    const char *key;
    const char *value;
    QByteArray after;
};

void PrintTo(const WriteCase &row, std::ostream *os)
{
    *os << row.name;
}

class ProfileWriting : public ::testing::TestWithParam<WriteCase>
{
};

// A write changes exactly one line, or adds one entry or one section, and keeps every other
// byte; nothing but the file itself is left in the folder.
TEST_P(ProfileWriting, ChangesOneLineAndKeepsEveryOtherByte)
{
    const WriteCase &row = GetParam();
    TempWindowsDir windir;
    if (row.before) {
        ASSERT_TRUE(writeFileBytes(windir.filePath("Win.Ini"), *row.before));
    }
    ASSERT_TRUE(
        platform::writeProfileString(row.section, row.key, row.value, QStringLiteral("Win.Ini")));
    EXPECT_EQ(readFileBytes(windir.filePath("Win.Ini")), row.after);
    EXPECT_EQ(folderEntries(windir.path()), QStringList {QStringLiteral("Win.Ini")});
}

const QByteArray Bom = "\xEF\xBB\xBF";
const QByteArray Busy = "; settings of several programs\r\n"
                        "stray=before any section\r\n"
                        "\r\n"
                        "[Other]\r\n"
                        "Row=1\r\n"
                        "just a line\r\n"
                        "[Quixbar]\r\n"
                        "  ; position\r\n"
                        "  Row = 5  \r\n"
                        "Col=25\r\n"
                        "\r\n"
                        "[Tail]\r\n"
                        "x=\"quoted\"";

INSTANTIATE_TEST_SUITE_P(
    Rules, ProfileWriting,
    ::testing::Values(
        WriteCase {"ReplaceKeepsSpelling", "[quixbar]\naxis=H\n", "Quixbar", "Axis", "V",
                   "[quixbar]\naxis=V\n"},
        WriteCase {"ReplaceKeepsWhatPrecedesTheValue", "[S]\n  k = old  \n", "S", "k", "new",
                   "[S]\n  k =new\n"},
        WriteCase {"ReplaceUnterminatedLastLine", "[S]\nk=1", "S", "k", "2", "[S]\nk=2"},
        WriteCase {"ReplaceNonAsciiKeyOfOtherCase", "[S]\n\xC3\x89T\xC3\x89=1\n", "S",
                   "\xC3\xA9t\xC3\xA9", "2", "[S]\n\xC3\x89T\xC3\x89=2\n"},
        WriteCase {"Windows1252SectionOfUtf8Name",
                   "[Gr\xF6\xDF"
                   "e]\nk=1\n",
                   "GR\xC3\x96\xC3\x9F"
                   "E",
                   "k", "2",
                   "[Gr\xF6\xDF"
                   "e]\nk=2\n"},
        WriteCase {"NewKeyAfterLastEntry", "[S]\na=1\n;note\n\n[T]\nb=2\n", "S", "c", "3",
                   "[S]\na=1\nc=3\n;note\n\n[T]\nb=2\n"},
        WriteCase {"NewKeyInSectionWithoutEntries", "[S]\n;note\n[T]\n", "S", "k", "v",
                   "[S]\nk=v\n;note\n[T]\n"},
        WriteCase {"NewKeyAfterUnterminatedEntry", "[S]\na=1", "S", "b", "2", "[S]\na=1\nb=2\n"},
        WriteCase {"NewKeyAfterUnterminatedHeader", "[S]", "S", "k", "v", "[S]\nk=v\n"},
        WriteCase {"NewKeyLeavesLinesWithoutEquals", "[S]\na=1\nname\n", "S", "b", "2",
                   "[S]\na=1\nb=2\nname\n"},
        WriteCase {"NewSectionAtEnd", "[S]\na=1\n", "T", "b", "2", "[S]\na=1\n[T]\nb=2\n"},
        WriteCase {"NewSectionEndsUnterminatedLine", "[S]\na=1", "T", "b", "2",
                   "[S]\na=1\n[T]\nb=2\n"},
        WriteCase {"NewSectionAfterBlankLines", "[S]\na=1\n\n", "T", "b", "2",
                   "[S]\na=1\n\n[T]\nb=2\n"},
        WriteCase {"NewFile", std::nullopt, "S", "k", "v", "[S]\nk=v\n"},
        WriteCase {"EmptyFile", "", "S", "k", "v", "[S]\nk=v\n"},
        WriteCase {"EmptyValueKeepsEntry", "[S]\nk=v\n", "S", "k", "", "[S]\nk=\n"},
        WriteCase {"FirstDuplicateKeyReplaced", "[S]\nk=1\nk=2\n", "S", "k", "9",
                   "[S]\nk=9\nk=2\n"},
        WriteCase {"FirstDuplicateSectionUsed", "[S]\na=1\n[T]\n[S]\nb=2\n", "S", "b", "3",
                   "[S]\na=1\nb=3\n[T]\n[S]\nb=2\n"},
        WriteCase {"BusyFileReplace", Busy, "QUIXBAR", "row", "7",
                   QByteArray(Busy).replace("  Row = 5  ", "  Row =7")},
        WriteCase {"BusyFileNewKey", Busy, "Quixbar", "Axis", "H",
                   QByteArray(Busy).replace("Col=25\r\n", "Col=25\r\nAxis=H\r\n")},
        WriteCase {"BusyFileNewSection", Busy, "Dovrane", "BWDpi", "200",
                   Busy + "\r\n[Dovrane]\r\nBWDpi=200\r\n"},
        WriteCase {"CrLfStaysCrLf", "[S]\r\na=1\r\n", "S", "b", "2", "[S]\r\na=1\r\nb=2\r\n"},
        WriteCase {"CrStaysCr", "[S]\ra=1\r", "S", "b", "2", "[S]\ra=1\rb=2\r"},
        WriteCase {"CrLfReplaceKeepsEnding", "[S]\r\nk=1\r\nj=2\r\n", "S", "k", "22",
                   "[S]\r\nk=22\r\nj=2\r\n"},
        WriteCase {"CrLfNewSection", "[S]\r\na=1", "T", "b", "2", "[S]\r\na=1\r\n[T]\r\nb=2\r\n"},
        WriteCase {"ByteOrderMarkStays", Bom + "[S]\n", "S", "k", "v", Bom + "[S]\nk=v\n"},
        WriteCase {"ByteOrderMarkAlone", Bom, "S", "k", "v", Bom + "[S]\nk=v\n"},
        WriteCase {"ValueAsGiven", "[S]\n", "S", "k", "  x", "[S]\nk=  x\n"},
        WriteCase {"ValueWithQuotesAndEquals", "[S]\n", "S", "k", "\"a=b\" ;c",
                   "[S]\nk=\"a=b\" ;c\n"},
        WriteCase {"NulInOtherLinesKept", QByteArray("[S]\nj=\0\nk=1\n", 12), "S", "k", "2",
                   QByteArray("[S]\nj=\0\nk=2\n", 12)}),
    [](const ::testing::TestParamInfo<WriteCase> &row) { return std::string(row.param.name); });

// Each write of a series reads what the previous ones left, and the reader sees every value.
TEST(ProfileWritingSeries, ReadsBackWhatWasWritten)
{
    TempWindowsDir windir;
    ASSERT_TRUE(platform::writeProfileString("Quixbar", "Row", "10", QStringLiteral("Win.Ini")));
    ASSERT_TRUE(platform::writeProfileString("Quixbar", "Col", "-3", QStringLiteral("Win.Ini")));
    ASSERT_TRUE(platform::writeProfileString("quixbar", "AXIS", "V", QStringLiteral("Win.Ini")));
    ASSERT_TRUE(platform::writeProfileString("Quixbar", "Axis", "H", QStringLiteral("Win.Ini")));
    EXPECT_EQ(readFileBytes(windir.filePath("Win.Ini")), "[Quixbar]\nRow=10\nCol=-3\nAXIS=H\n");
    EXPECT_EQ(platform::readProfileString("QUIXBAR", "col", "", QStringLiteral("Win.Ini")), "-3");
}

// A bare name creates the Windows directory it needs, however deep.
TEST(ProfileWritingSeries, CreatesTheWindowsDirectory)
{
    TempFolder base;
    const QString windir = base.filePath("a/b/halvane");
    const QByteArray saved = qgetenv("HALVANE_WINDIR");
    qputenv("HALVANE_WINDIR", QFile::encodeName(windir));
    const bool written = platform::writeProfileString("S", "k", "v", QStringLiteral("Win.Ini"));
    qputenv("HALVANE_WINDIR", saved);
    ASSERT_TRUE(written);
    EXPECT_EQ(readFileBytes(windir + QStringLiteral("/Win.Ini")), "[S]\nk=v\n");
}

// A file of another letter case is the file written; none of a second spelling appears. A new
// file is spelt as asked.
TEST(ProfileWritingSeries, WritesTheFileOfAnyLetterCase)
{
    TempWindowsDir windir;
    ASSERT_TRUE(writeFileBytes(windir.filePath("WIN.INI"), "[S]\nk=1\n"));
    ASSERT_TRUE(platform::writeProfileString("S", "k", "2", QStringLiteral("Win.Ini")));
    EXPECT_EQ(readFileBytes(windir.filePath("WIN.INI")), "[S]\nk=2\n");
    ASSERT_TRUE(platform::writeProfileString("S", "k", "3", QStringLiteral("halvane.ini")));
    EXPECT_EQ(folderEntries(windir.path()),
              (QStringList {QStringLiteral("WIN.INI"), QStringLiteral("halvane.ini")}));
}

struct BadArguments
{
    const char *name;
    QByteArray section;
    QByteArray key;
    QByteArray value;
};

// Names or values that would break the file's lines or structure make the write fail and leave
// the file as it was.
TEST(ProfileWritingFailures, ArgumentsThatWouldBreakTheFile)
{
    const BadArguments rows[] = {
        {"LF in value", "S", "k", "a\n[T]"},
        {"CR in value", "S", "k", "a\rb"},
        {"NUL in value", "S", "k", QByteArray("a\0b", 3)},
        {"LF in key", "S", "k\nj", "v"},
        {"CR in section", "S\r", "k", "v"},
        {"NUL in section", QByteArray("S\0", 2), "k", "v"},
        {"bracket in section", "S]x", "k", "v"},
        {"equals in key", "S", "k=j", "v"},
        {"key read as comment", "S", ";k", "v"},
        {"key read as section", "S", " [k", "v"},
    };
    for (const BadArguments &row : rows) {
        TempWindowsDir windir;
        const QByteArray before = "[S]\nk=old\n";
        ASSERT_TRUE(writeFileBytes(windir.filePath("Win.Ini"), before));
        EXPECT_FALSE(platform::writeProfileString(row.section, row.key, row.value,
                                                  QStringLiteral("Win.Ini")))
            << row.name;
        EXPECT_EQ(readFileBytes(windir.filePath("Win.Ini")), before) << row.name;
        EXPECT_EQ(folderEntries(windir.path()), QStringList {QStringLiteral("Win.Ini")})
            << row.name;
    }
}

// A read-only file fails the write, for root as well, and stays byte for byte.
TEST(ProfileWritingFailures, ReadOnlyFile)
{
    TempWindowsDir windir;
    const QByteArray before = "[Quixbar]\r\nRow=1\r\n";
    ASSERT_TRUE(writeFileBytes(windir.filePath("Win.Ini"), before));
    ReadOnlyGuard guard(windir.filePath("Win.Ini"));
    HALVANE_REQUIRE_READ_ONLY(guard);
    EXPECT_FALSE(platform::writeProfileString("Quixbar", "Row", "2", QStringLiteral("Win.Ini")));
    EXPECT_FALSE(platform::writeProfileString("Quixbar", "Col", "2", QStringLiteral("Win.Ini")));
    EXPECT_EQ(readFileBytes(windir.filePath("Win.Ini")), before);
    EXPECT_EQ(folderEntries(windir.path()), QStringList {QStringLiteral("Win.Ini")});
}

// Where the folder takes no new file but the file may be written, the file is changed in place.
TEST(ProfileWritingFailures, ReadOnlyFolderWithWritableFile)
{
    TempWindowsDir windir;
    ASSERT_TRUE(writeFileBytes(windir.filePath("Win.Ini"), "[S]\nk=1\n"));
    ASSERT_TRUE(::chmod(QFile::encodeName(windir.filePath("Win.Ini")).constData(), 0640) == 0);
    ReadOnlyGuard guard(windir.path());
    HALVANE_REQUIRE_READ_ONLY(guard);
    ASSERT_TRUE(
        platform::writeProfileString("S", "k", "a much longer value", QStringLiteral("Win.Ini")));
    ASSERT_TRUE(platform::writeProfileString("S", "j", "2", QStringLiteral("Win.Ini")));
    ASSERT_TRUE(platform::writeProfileString("S", "k", "3", QStringLiteral("Win.Ini")));
    EXPECT_EQ(readFileBytes(windir.filePath("Win.Ini")), "[S]\nk=3\nj=2\n");
    EXPECT_EQ(folderEntries(windir.path()), QStringList {QStringLiteral("Win.Ini")});
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(windir.filePath("Win.Ini")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    // A new file cannot be made there.
    EXPECT_FALSE(platform::writeProfileString("S", "k", "v", QStringLiteral("Halvane.Ini")));
    EXPECT_EQ(folderEntries(windir.path()), QStringList {QStringLiteral("Win.Ini")});
}

// A read-only file in a read-only folder fails too, and stays.
TEST(ProfileWritingFailures, ReadOnlyFileInReadOnlyFolder)
{
    TempWindowsDir windir;
    const QByteArray before = "[S]\nk=1\n";
    ASSERT_TRUE(writeFileBytes(windir.filePath("Win.Ini"), before));
    ReadOnlyGuard fileGuard(windir.filePath("Win.Ini"));
    ReadOnlyGuard folderGuard(windir.path());
    HALVANE_REQUIRE_READ_ONLY(fileGuard);
    HALVANE_REQUIRE_READ_ONLY(folderGuard);
    EXPECT_FALSE(platform::writeProfileString("S", "k", "2", QStringLiteral("Win.Ini")));
    EXPECT_EQ(readFileBytes(windir.filePath("Win.Ini")), before);
}

// The folder of a full path is the caller's: a missing one fails the write and is not created.
TEST(ProfileWritingFailures, MissingFolderOfFullPath)
{
    TempFolder base;
    const QString path = base.filePath("Dv/Dv.Lng");
    EXPECT_FALSE(platform::writeProfileString("eng", "DefaultSize", "2", path));
    EXPECT_TRUE(folderEntries(base.path()).isEmpty());
}

// A folder in the file's place fails the write and stays a folder, with what it holds.
TEST(ProfileWritingFailures, FolderInTheFilesPlace)
{
    TempWindowsDir windir;
    ASSERT_TRUE(QDir(windir.path()).mkpath(QStringLiteral("Win.Ini/inner")));
    EXPECT_FALSE(platform::writeProfileString("S", "k", "v", QStringLiteral("Win.Ini")));
    EXPECT_FALSE(platform::writeProfileString("S", "k", "v", windir.filePath("Win.Ini")));
    EXPECT_EQ(folderEntries(windir.path()), QStringList {QStringLiteral("Win.Ini")});
    EXPECT_EQ(folderEntries(windir.filePath("Win.Ini")), QStringList {QStringLiteral("inner")});
}

// A file reached through a symbolic link is changed at its target; the link stays a link and the
// target keeps its permissions and owner.
TEST(ProfileWritingLinks, WritesThroughTheLinkToItsTarget)
{
    TempWindowsDir windir;
    TempFolder elsewhere;
    const QString target = elsewhere.filePath("target.ini");
    ASSERT_TRUE(writeFileBytes(target, "[S]\na=1\n"));
    const QByteArray targetPath = QFile::encodeName(target);
    ASSERT_EQ(::chmod(targetPath.constData(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(targetPath.constData(), 65534, 65534), 0);
    }
    ASSERT_EQ(::symlink(targetPath.constData(),
                        QFile::encodeName(windir.filePath("Win.Ini")).constData()),
              0);

    ASSERT_TRUE(platform::writeProfileString("S", "k", "v", QStringLiteral("Win.Ini")));

    EXPECT_EQ(readFileBytes(target), "[S]\na=1\nk=v\n");
    EXPECT_EQ(QFileInfo(windir.filePath("Win.Ini")).symLinkTarget(), target);
    struct stat st;
    ASSERT_EQ(::stat(targetPath.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);
    }
    EXPECT_EQ(folderEntries(elsewhere.path()), QStringList {QStringLiteral("target.ini")});
    EXPECT_EQ(folderEntries(windir.path()), QStringList {QStringLiteral("Win.Ini")});
}

// A relative link, and a chain of links, lead to the same target; a dangling link creates it.
TEST(ProfileWritingLinks, RelativeChainedAndDanglingLinks)
{
    TempWindowsDir windir;
    ASSERT_TRUE(QDir(windir.path()).mkdir(QStringLiteral("real")));
    ASSERT_EQ(
        ::symlink("real/settings.ini", QFile::encodeName(windir.filePath("middle")).constData()),
        0);
    ASSERT_EQ(::symlink("middle", QFile::encodeName(windir.filePath("Win.Ini")).constData()), 0);

    ASSERT_TRUE(platform::writeProfileString("S", "k", "1", QStringLiteral("Win.Ini")));
    ASSERT_TRUE(platform::writeProfileString("S", "j", "2", QStringLiteral("Win.Ini")));

    EXPECT_EQ(readFileBytes(windir.filePath("real/settings.ini")), "[S]\nk=1\nj=2\n");
    EXPECT_TRUE(QFileInfo(windir.filePath("Win.Ini")).isSymLink());
    EXPECT_TRUE(QFileInfo(windir.filePath("middle")).isSymLink());
    EXPECT_EQ(platform::readProfileString("S", "j", "", QStringLiteral("Win.Ini")), "2");
}

// A file that is replaced keeps its permissions, also unusual ones.
TEST(ProfileWritingLinks, PermissionsStay)
{
    for (const mode_t mode : {0600u, 0644u, 0664u, 0606u}) {
        TempWindowsDir windir;
        const QByteArray path = QFile::encodeName(windir.filePath("Win.Ini"));
        ASSERT_TRUE(writeFileBytes(windir.filePath("Win.Ini"), "[S]\n"));
        ASSERT_EQ(::chmod(path.constData(), mode), 0);
        ASSERT_TRUE(platform::writeProfileString("S", "k", "v", QStringLiteral("Win.Ini")));
        struct stat st;
        ASSERT_EQ(::stat(path.constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
    }
}

} // namespace

namespace {

// What a killed writer may leave beside the file, even a link planted in its place, is cleared by
// the next write and never written through.
TEST(ProfileWritingLeftovers, LeftoverOfAKilledWriterIsCleared)
{
    TempWindowsDir windir;
    TempFolder elsewhere;
    ASSERT_TRUE(writeFileBytes(windir.filePath("Win.Ini"), "[S]\nk=1\n"));
    ASSERT_TRUE(writeFileBytes(elsewhere.filePath("victim"), "keep"));
    const QStringList before = folderEntries(windir.path());
    ASSERT_TRUE(writeFileBytes(windir.filePath(".Win.Ini.new~"), "[S]\nk=half"));
    ASSERT_EQ(folderEntries(windir.path()).size(), 2);
    ASSERT_TRUE(platform::writeProfileString("S", "k", "2", QStringLiteral("Win.Ini")));
    EXPECT_EQ(folderEntries(windir.path()), before);

    ASSERT_TRUE(QFile::link(elsewhere.filePath("victim"), windir.filePath(".Win.Ini.new~")));
    ASSERT_TRUE(platform::writeProfileString("S", "k", "3", QStringLiteral("Win.Ini")));
    EXPECT_EQ(readFileBytes(windir.filePath("Win.Ini")), "[S]\nk=3\n");
    EXPECT_EQ(readFileBytes(elsewhere.filePath("victim")), "keep");
    EXPECT_EQ(folderEntries(windir.path()), before);
}

} // namespace
