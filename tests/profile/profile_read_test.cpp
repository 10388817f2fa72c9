// Reading one entry: the file syntax, where names lead, and file names without regard to case.
#include "platform/profile.h"
#include "support/files.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <optional>

#include <sys/stat.h>

namespace {

using testsupport::TempFolder;
using testsupport::TempWindowsDir;
using testsupport::writeFileBytes;

constexpr char Def[] = "DEF";

struct ReadCase
{
    const char *name;
    QByteArray file;
    const char *section;
    const char *key;
    QByteArray expected;
};

void PrintTo(const ReadCase &row, std::ostream *os)
{
    *os << row.name;
}

class ProfileReading : public ::testing::TestWithParam<ReadCase>
{
};

// Every file content reads as the rules for settings files say, for files written on Windows or
// edited by hand.
TEST_P(ProfileReading, GivesTheEntryOrTheDefault)
{
    const ReadCase &row = GetParam();
    TempWindowsDir windir;
    ASSERT_TRUE(writeFileBytes(windir.filePath("Win.Ini"), row.file));
    EXPECT_EQ(platform::readProfileString(row.section, row.key, Def, QStringLiteral("Win.Ini")),
              row.expected);
}

const QByteArray Long1500(1500, 'x');

INSTANTIATE_TEST_SUITE_P(
    Rules, ProfileReading,
    ::testing::Values(
        ReadCase {"CrLfEndings", "[S]\r\nk=v\r\n", "S", "k", "v"},
        ReadCase {"LfEndings", "[S]\nk=v\n", "S", "k", "v"},
        ReadCase {"CrEndings", "[S]\rk=v\r", "S", "k", "v"},
        ReadCase {"MixedEndings", "[T]\r\na=1\r[S]\nx=1\r\nk=v\r", "S", "k", "v"},
        ReadCase {"UnterminatedLastLine", "[S]\nk=v", "S", "k", "v"},
        ReadCase {"BlanksAroundKeyAndValue", "[S]\n  k \t=  a  b \t\n", "S", "k", "a  b"},
        ReadCase {"VerticalTabIsABlank", "[S]\n\vk\v=\vv\v\n", "S", "k", "v"},
        ReadCase {"BlanksInSectionBrackets", "  [ S ]\nk=v\n", "S", "k", "v"},
        ReadCase {"TabsInSectionBrackets", "\t[\tS\t]\r\nk=v\r\n", "S", "k", "v"},
        ReadCase {"SectionAndKeyIgnoreCase", "[sEcT]\nKeY=VaL\n", "Sect", "key", "VaL"},
        ReadCase {"NonAsciiSectionIgnoresCase",
                  "[\xC3\x9C"
                  "ber]\nk=v\n",
                  "\xC3\xBC"
                  "BER",
                  "k", "v"},
        ReadCase {"NonAsciiKeyIgnoresCase", "[S]\n\xC3\x89t\xC3\xA9=v\n", "S", "\xC3\xA9T\xC3\x89",
                  "v"},
        ReadCase {"Windows1252SectionMatchesUtf8Name",
                  "[Gr\xF6\xDF"
                  "e]\nk=v\n",
                  "GR\xC3\x96\xC3\x9F"
                  "E",
                  "k", "v"},
        ReadCase {"NonAsciiNamesDifferByMoreThanCase", "[S]\n\xC3\xA9=v\n", "S", "e", Def},
        ReadCase {"DoubleQuotesRemoved", "[S]\nk=\" a b \"\n", "S", "k", " a b "},
        ReadCase {"SingleQuotesRemoved", "[S]\nk='x'\n", "S", "k", "x"},
        ReadCase {"OnlyOneQuotePairRemoved", "[S]\nk=''x''\n", "S", "k", "'x'"},
        ReadCase {"EmptyQuotes", "[S]\nk=\"\"\n", "S", "k", ""},
        ReadCase {"QuotesAfterTrimming", "[S]\nk=  \"x\"  \n", "S", "k", "x"},
        ReadCase {"MismatchedQuotesStay", "[S]\nk=\"a'\n", "S", "k", "\"a'"},
        ReadCase {"QuoteNotAtEndStays", "[S]\nk=\"x\" y\n", "S", "k", "\"x\" y"},
        ReadCase {"LoneQuoteStays", "[S]\nk=\"\n", "S", "k", "\""},
        ReadCase {"CommentLineNeverFound", "[S]\n;k=v\n", "S", ";k", Def},
        ReadCase {"CommentLineIsNoEntry", "[S]\n;k=v\n", "S", "k", Def},
        ReadCase {"IndentedComment", "[S]\n  ;k=v\n", "S", ";k", Def},
        ReadCase {"SemicolonInValueIsText", "[S]\nk=v ;x\n#h=1\n", "S", "k", "v ;x"},
        ReadCase {"HashMeansNothing", "[S]\nk=v ;x\n#h=1\n", "S", "#h", "1"},
        ReadCase {"ValueAfterFirstEquals", "[S]\nk=a=b\n", "S", "k", "a=b"},
        ReadCase {"LineWithoutEquals", "[S]\nname\n", "S", "name", Def},
        ReadCase {"SectionEndsAtFirstBracket", "[a]b]\nk=v\n[s]x=1\n", "a", "k", "v"},
        ReadCase {"RestOfHeaderLineIgnored", "[a]b]\nk=v\n[s]x=1\n", "s", "x", Def},
        ReadCase {"HeaderWithoutBracketIsNoSection", "[S\nk=v\n", "S", "k", Def},
        ReadCase {"EntriesBeforeFirstSection", "k=v\n[S]\n", "S", "k", Def},
        ReadCase {"FirstOfTwoSectionsSearched", "[S]\na=1\n[T]\n[S]\nb=2\n", "S", "a", "1"},
        ReadCase {"SecondOfTwoSectionsIgnored", "[S]\na=1\n[T]\n[S]\nb=2\n", "S", "b", Def},
        ReadCase {"KeyOfAnotherSection", "[S]\na=1\n[T]\nb=2\n", "S", "b", Def},
        ReadCase {"LaterSection", "[S]\na=1\n[T]\na=2\n", "T", "a", "2"},
        ReadCase {"FirstOfTwoKeysWins", "[S]\nk=1\nK=2\n", "S", "k", "1"},
        ReadCase {"EmptyValueIsNotDefault", "[S]\nk=\n", "S", "k", ""},
        ReadCase {"BlankValueIsEmpty", "[S]\nk=  \t\n", "S", "k", ""},
        ReadCase {"MissingSection", "[S]\nk=v\n", "T", "k", Def},
        ReadCase {"MissingKey", "[S]\nk=v\n", "S", "j", Def},
        ReadCase {"EmptyFile", "", "S", "k", Def},
        ReadCase {"LongValueCut", "[S]\nk=" + Long1500 + "\n", "S", "k", QByteArray(1023, 'x')},
        ReadCase {"ValueOfExactlyMaximum", "[S]\nk=" + QByteArray(1023, 'y') + "\n", "S", "k",
                  QByteArray(1023, 'y')},
        ReadCase {"ByteOrderMark", "\xEF\xBB\xBF[S]\nk=v\n", "S", "k", "v"},
        ReadCase {"NulEndsValue", QByteArray("[S]\nk=ab\0cd\n", 12), "S", "k", "ab"},
        ReadCase {"NulEndsValueBeforeTrimming", QByteArray("[S]\nk= ab \0cd\n", 14), "S", "k",
                  "ab"},
        ReadCase {"EntryAfterNulLine", QByteArray("[S]\nj=\0\nk=v\n", 12), "S", "k", "v"},
        ReadCase {"EmptySectionName", "[]\nk=v\n", "", "k", "v"},
        ReadCase {"BytesKeptAsStored", "[S]\nk=\xE9t\xE9\n", "S", "k", "\xE9t\xE9"}),
    [](const ::testing::TestParamInfo<ReadCase> &row) { return std::string(row.param.name); });

// A missing file, or a folder or a fifo in the file's place, reads like a missing file.
TEST(ProfileReadingFiles, NoReadableFileGivesTheDefault)
{
    TempWindowsDir windir;
    EXPECT_EQ(platform::readProfileString("S", "k", Def, QStringLiteral("Win.Ini")), Def);
    ASSERT_TRUE(QDir(windir.path()).mkdir(QStringLiteral("Win.Ini")));
    EXPECT_EQ(platform::readProfileString("S", "k", Def, QStringLiteral("Win.Ini")), Def);
    ASSERT_EQ(::mkfifo(QFile::encodeName(windir.filePath("Fifo.Ini")).constData(), 0600), 0);
    EXPECT_EQ(platform::readProfileString("S", "k", Def, QStringLiteral("Fifo.Ini")), Def);
    EXPECT_EQ(platform::readProfileString("S", "k", Def, windir.filePath("no/such/Dv.Lng")), Def);
}

// Every read asks the file afresh: a change between two reads shows in the second.
TEST(ProfileReadingFiles, EveryReadSeesTheFileAsItIsNow)
{
    TempWindowsDir windir;
    ASSERT_TRUE(writeFileBytes(windir.filePath("Win.Ini"), "[S]\nk=1\n"));
    EXPECT_EQ(platform::readProfileString("S", "k", Def, QStringLiteral("Win.Ini")), "1");
    ASSERT_TRUE(writeFileBytes(windir.filePath("Win.Ini"), "[S]\nk=22\n"));
    EXPECT_EQ(platform::readProfileString("S", "k", Def, QStringLiteral("Win.Ini")), "22");
}

// A full path names that file, wherever the Windows directory is.
TEST(ProfileReadingFiles, FullPathNamesThatFile)
{
    TempWindowsDir windir;
    TempFolder program;
    ASSERT_TRUE(writeFileBytes(windir.filePath("Qx.Lng"), "[eng]\nk=windows\n"));
    ASSERT_TRUE(writeFileBytes(program.filePath("Qx.Lng"), "[eng]\nk=program\n"));
    EXPECT_EQ(platform::readProfileString("eng", "k", Def, program.filePath("Qx.Lng")), "program");
    EXPECT_EQ(platform::readProfileString("eng", "k", Def, QStringLiteral("Qx.Lng")), "windows");
}

// Sets or clears environment variables for one test and puts them back afterwards.
class ScopedEnvironment
{
public:
    void set(const char *name, const std::optional<QByteArray> &value)
    {
        m_saved.append({name,
                        qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name))
                                                        : std::nullopt});
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    ~ScopedEnvironment()
    {
        for (auto it = m_saved.crbegin(); it != m_saved.crend(); ++it) {
            if (it->second)
                qputenv(it->first, *it->second);
            else
                qunsetenv(it->first);
        }
    }

private:
    QList<std::pair<const char *, std::optional<QByteArray>>> m_saved;
};

struct WindirCase
{
    const char *name;
    std::optional<QByteArray> windir;
    std::optional<QByteArray> xdgConfig;
    QByteArray home;
    QString expected;
};

// Bare names lead to $HALVANE_WINDIR when set and not empty, else to the user's configuration
// folder, so that both programs reach the same files.
TEST(ProfileLocation, WindowsDirectoryFollowsTheEnvironment)
{
    const WindirCase rows[] = {
        {"windir", "/srv/win", "/cfg", "/home/u", "/srv/win"},
        {"windir without xdg", "/srv/win", std::nullopt, "/home/u", "/srv/win"},
        {"empty windir, xdg", "", "/cfg", "/home/u", "/cfg/halvane"},
        {"no windir, xdg", std::nullopt, "/cfg", "/home/u", "/cfg/halvane"},
        {"empty xdg, home", std::nullopt, "", "/home/u", "/home/u/.config/halvane"},
        {"nothing but home", std::nullopt, std::nullopt, "/home/u", "/home/u/.config/halvane"},
    };
    for (const WindirCase &row : rows) {
        ScopedEnvironment env;
        env.set("HALVANE_WINDIR", row.windir);
        env.set("XDG_CONFIG_HOME", row.xdgConfig);
        env.set("HOME", row.home);
        EXPECT_EQ(platform::windowsDirectory(), row.expected) << row.name;
        EXPECT_EQ(platform::resolveProfilePath(QStringLiteral("Win.Ini")),
                  row.expected + QStringLiteral("/Win.Ini"))
            << row.name;
    }
}

struct CaseCase
{
    const char *name;
    QStringList files; // what the folder holds; a name ending in "/" is a folder
    QString asked;
    QString expected;
};

// File names match without regard to letter case: the exact spelling first, then the first
// match in byte order; a folder is never the file; no match keeps the spelling asked for.
TEST(ProfileLocation, FileNamesIgnoreLetterCase)
{
    const CaseCase rows[] = {
        {"exact", {"Win.Ini"}, "Win.Ini", "Win.Ini"},
        {"other case", {"WIN.INI"}, "Win.Ini", "WIN.INI"},
        {"exact wins", {"WIN.INI", "Win.Ini", "win.ini"}, "Win.Ini", "Win.Ini"},
        {"first in byte order", {"win.ini", "WIN.ini", "wIN.INI"}, "Win.Ini", "WIN.ini"},
        {"folder of exact name skipped", {"Win.Ini/", "win.ini"}, "Win.Ini", "win.ini"},
        {"only a folder", {"win.ini/"}, "Win.Ini", "Win.Ini"},
        {"no match", {"Win.Ini.bak", "Win.In"}, "Win.Ini", "Win.Ini"},
        {"non-ascii", {"\u00C9T\u00C9.ini"}, "\u00E9t\u00E9.INI", "\u00C9T\u00C9.ini"},
    };
    for (const CaseCase &row : rows) {
        TempWindowsDir windir;
        for (const QString &file : row.files) {
            const bool made = file.endsWith(QLatin1Char('/'))
                ? QDir(windir.path()).mkdir(file.chopped(1))
                : writeFileBytes(windir.filePath(file), "[S]\nk=" + file.toUtf8() + "\n");
            ASSERT_TRUE(made) << qPrintable(file);
        }
        EXPECT_EQ(platform::resolveProfilePath(row.asked), windir.filePath(row.expected))
            << row.name;
        EXPECT_EQ(platform::resolveProfilePath(windir.filePath(row.asked)),
                  windir.filePath(row.expected))
            << row.name;
        const QByteArray expectedValue = QFileInfo(windir.filePath(row.expected)).isFile()
            ? row.expected.toUtf8()
            : QByteArray(Def);
        EXPECT_EQ(platform::readProfileString("S", "k", Def, row.asked), expectedValue) << row.name;
    }
}

// A symbolic link to a file is that file; a link to a folder is not.
TEST(ProfileLocation, LinksCountAsTheFileTheyLeadTo)
{
    TempWindowsDir windir;
    ASSERT_TRUE(writeFileBytes(windir.filePath("real.ini"), "[S]\nk=linked\n"));
    ASSERT_TRUE(QFile::link(windir.filePath("real.ini"), windir.filePath("WIN.INI")));
    EXPECT_EQ(platform::readProfileString("S", "k", Def, QStringLiteral("Win.Ini")), "linked");
    ASSERT_TRUE(QDir(windir.path()).mkdir(QStringLiteral("sub")));
    ASSERT_TRUE(QFile::link(windir.filePath("sub"), windir.filePath("HALVANE.INI")));
    EXPECT_EQ(platform::resolveProfilePath(QStringLiteral("Halvane.Ini")),
              windir.filePath("Halvane.Ini"));
}

} // namespace
