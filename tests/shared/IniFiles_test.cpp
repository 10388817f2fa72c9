// The settings accessor: strings as text, the integer rule, writes and the one error they raise.
#include "shared/IniFiles.h"
#include "support/files.h"
#include "support/printers.h"

#include <QDir>

#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace {

using testsupport::folderEntries;
using testsupport::readFileBytes;
using testsupport::ReadOnlyGuard;
using testsupport::TempFolder;
using testsupport::TempWindowsDir;
using testsupport::writeFileBytes;

struct IntegerCase
{
    const char *name;
    std::optional<QByteArray> value; // nothing: no such key
    int expected; // with the default 25
};

// ReadInteger takes decimal, "$" and "0x" hexadecimal, and gives the default for anything else.
TEST(IniFileReadInteger, FollowsTheIntegerRule)
{
    const IntegerCase rows[] = {
        {"decimal", "25", 25},
        {"plus sign", "+25", 25},
        {"minus sign", "-7", -7},
        {"0x", "0x1A", 26},
        {"dollar", "$1a", 26},
        {"0X", "0X10", 16},
        {"dollar upper case", "$10", 16},
        {"trailing letters", "12px", 25},
        {"0x alone", "0x", 25},
        {"dollar alone", "$", 25},
        {"inner blank", "1 000", 25},
        {"sign before dollar", "-$10", 25},
        {"plus before dollar", "+$10", 25},
        {"sign after 0x", "0x-1", 25},
        {"empty", "", 25},
        {"missing", std::nullopt, 25},
        {"plus alone", "+", 25},
        {"minus alone", "-", 25},
        {"largest", "2147483647", INT_MAX},
        {"beyond largest", "2147483648", 25},
        {"smallest", "-2147483648", INT_MIN},
        {"beyond smallest", "-2147483649", 25},
        {"far beyond", "99999999999999999999", 25},
        {"leading zeros", "007", 7},
        {"many leading zeros", "0000000000000000000042", 42},
        {"minus zero", "-0", 0},
        {"all bits", "$FFFFFFFF", -1},
        {"sign bit", "$80000000", INT_MIN},
        {"largest hex", "0x7fffffff", INT_MAX},
        {"nine digits", "$100000000", 25},
        {"leading zeros do not count", "$0000000001", 1},
        {"0x with leading zeros", "0x00000000FF", 255},
        {"bad hex digit", "$1g", 25},
        {"decimal point", "1.5", 25},
        {"exponent", "1e3", 25},
        {"blank skipped", "\" 25\"", 25},
        {"tab skipped", "\"\t-3\"", -3},
        {"blank after", "\"25 \"", 25},
        {"blank before 0x", "\" 0x10\"", 25},
        {"blank before dollar", "\" $10\"", 16},
        {"fullwidth digits", "\xEF\xBC\x91\xEF\xBC\x92", 25},
        {"arabic-indic digit", "\xD9\xA3", 25},
    };
    for (const IntegerCase &row : rows) {
        TempWindowsDir windir;
        QByteArray file = "[Quixbar]\n";
        if (row.value)
            file += "Col=" + *row.value + "\n";
        ASSERT_TRUE(writeFileBytes(windir.filePath("Win.Ini"), file));
        const TIniFile ini(QStringLiteral("Win.Ini"));
        EXPECT_EQ(ini.ReadInteger(QStringLiteral("Quixbar"), QStringLiteral("Col"), 25),
                  row.expected)
            << row.name;
    }
}

// The integer rule on its own: a failed conversion leaves the number alone.
TEST(IniFileReadInteger, TryStrToIntReportsFailure)
{
    int value = 5;
    EXPECT_TRUE(TryStrToInt(QStringLiteral("-12"), value));
    EXPECT_EQ(value, -12);
    EXPECT_FALSE(TryStrToInt(QStringLiteral("12px"), value));
    EXPECT_EQ(value, -12);
    EXPECT_TRUE(TryStrToInt(QStringLiteral("0xff"), value));
    EXPECT_EQ(value, 255);
}

struct StringCase
{
    const char *name;
    QByteArray file;
    const char *section;
    const char *key;
    const char *def;
    QString expected;
};

// ReadString gives the stored text or the default, exactly as the rules for reads say.
TEST(IniFileReadString, GivesTextOrDefault)
{
    const StringCase rows[] = {
        {"no quixbar section: language", "[Dovrane]\nLanguage=deu\n", "Quixbar", "Language", "eng",
         QStringLiteral("eng")},
        {"no quixbar section: axis", "[Dovrane]\n", "Quixbar", "Axis", "H", QStringLiteral("H")},
        {"stored value", "[Quixbar]\nAxis=V\n", "quixbar", "axis", "H", QStringLiteral("V")},
        {"empty language is not the default", "[Dovrane]\nLanguage=\n", "Dovrane", "Language",
         "eng", QString()},
        {"utf-8", "[Halvane]\nUser Name=J\xC3\xBCrgen\n", "Halvane", "User Name", "Unknown",
         QStringLiteral("J\u00FCrgen")},
        {"windows-1252", "[Halvane]\nUser Name=J\xFCrgen \x80\n", "Halvane", "User Name", "Unknown",
         QStringLiteral("J\u00FCrgen \u20AC")},
        {"default with non-ascii", "", "Halvane", "User Name", "Unbekannt \xC3\xA4",
         QStringLiteral("Unbekannt \u00E4")},
        {"markup stays text", "[eng]\nHint.X=<b>bold</b> & co\n", "eng", "Hint.X", "Problem",
         QStringLiteral("<b>bold</b> & co")},
    };
    for (const StringCase &row : rows) {
        TempWindowsDir windir;
        ASSERT_TRUE(writeFileBytes(windir.filePath("Win.Ini"), row.file));
        const TIniFile ini(QStringLiteral("Win.Ini"));
        EXPECT_EQ(ini.ReadString(QString::fromUtf8(row.section), QString::fromUtf8(row.key),
                                 QString::fromUtf8(row.def)),
                  row.expected)
            << row.name;
    }
}

// A value of 1,500 characters reads as its first 1,023.
TEST(IniFileReadString, LongValueIsCut)
{
    TempWindowsDir windir;
    ASSERT_TRUE(
        writeFileBytes(windir.filePath("Win.Ini"), "[S]\nk=" + QByteArray(1500, 'q') + "\n"));
    EXPECT_EQ(TIniFile(QStringLiteral("Win.Ini"))
                  .ReadString(QStringLiteral("S"), QStringLiteral("k"), {}),
              QString(1023, QLatin1Char('q')));
}

// "Available Functions" present but empty gives the default 9999 (not installed); 0 is installed.
TEST(IniFileReadInteger, AvailabilityEntries)
{
    TempWindowsDir windir;
    ASSERT_TRUE(
        writeFileBytes(windir.filePath("Win.Ini"),
                       "[Dovrane]\nAvailable Functions=\n[Kavarn]\nAvailable Functions=0\n"));
    const TIniFile ini(QStringLiteral("Win.Ini"));
    EXPECT_EQ(
        ini.ReadInteger(QStringLiteral("Dovrane"), QStringLiteral("Available Functions"), 9999),
        9999);
    EXPECT_EQ(
        ini.ReadInteger(QStringLiteral("Kavarn"), QStringLiteral("Available Functions"), 9999), 0);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Tazlo"), QStringLiteral("Available Functions"), 9999),
              9999);
}

// Creating an accessor and reading through it leave the disk alone.
TEST(IniFileAccess, CreatingAndReadingTouchNothing)
{
    TempFolder base;
    const QString windir = base.filePath("windows");
    const QByteArray saved = qgetenv("HALVANE_WINDIR");
    qputenv("HALVANE_WINDIR", QFile::encodeName(windir));
    {
        const TIniFile ini(QStringLiteral("Win.Ini"));
        EXPECT_EQ(ini.FileName(), QStringLiteral("Win.Ini"));
        EXPECT_EQ(ini.ReadString(QStringLiteral("Quixbar"), QStringLiteral("Language"),
                                 QStringLiteral("eng")),
                  QStringLiteral("eng"));
        EXPECT_EQ(ini.ReadInteger(QStringLiteral("Quixbar"), QStringLiteral("Row"), 0), 0);
    }
    qputenv("HALVANE_WINDIR", saved);
    EXPECT_TRUE(folderEntries(base.path()).isEmpty());
}

// The launcher's Exit on a machine without "Win.Ini" creates it with the one section it writes.
TEST(IniFileWrite, ExitWithoutWinIniCreatesIt)
{
    TempWindowsDir windir;
    TIniFile ini(QStringLiteral("Win.Ini"));
    ini.WriteInteger(QStringLiteral("Quixbar"), QStringLiteral("Row"), 40);
    ini.WriteInteger(QStringLiteral("Quixbar"), QStringLiteral("Col"), -12);
    ini.WriteString(QStringLiteral("Quixbar"), QStringLiteral("Axis"), QStringLiteral("V"));
    EXPECT_EQ(readFileBytes(windir.filePath("Win.Ini")), "[Quixbar]\nRow=40\nCol=-12\nAxis=V\n");
}

// Writing "Axis" where the file spells section and key in lower case replaces that entry.
TEST(IniFileWrite, ReplacesAnEntryOfAnyCase)
{
    TempWindowsDir windir;
    ASSERT_TRUE(writeFileBytes(windir.filePath("Win.Ini"), "[quixbar]\r\nrow=1\r\naxis=H\r\n"));
    TIniFile(QStringLiteral("Win.Ini"))
        .WriteString(QStringLiteral("Quixbar"), QStringLiteral("Axis"), QStringLiteral("V"));
    EXPECT_EQ(readFileBytes(windir.filePath("Win.Ini")), "[quixbar]\r\nrow=1\r\naxis=V\r\n");
}

// WriteInteger stores plain decimal text: "-" for negatives, no "+", no leading zeros.
TEST(IniFileWrite, IntegersAsDecimalText)
{
    const std::pair<int, QByteArray> rows[] = {
        {0, "0"}, {25, "25"}, {-5, "-5"}, {INT_MAX, "2147483647"}, {INT_MIN, "-2147483648"},
    };
    for (const auto &[value, text] : rows) {
        TempWindowsDir windir;
        TIniFile(QStringLiteral("Win.Ini"))
            .WriteInteger(QStringLiteral("S"), QStringLiteral("k"), value);
        EXPECT_EQ(readFileBytes(windir.filePath("Win.Ini")), "[S]\nk=" + text + "\n") << value;
    }
}

// Text is stored as UTF-8; an empty value is an entry with nothing after "=".
TEST(IniFileWrite, TextAsUtf8)
{
    TempWindowsDir windir;
    TIniFile ini(QStringLiteral("Win.Ini"));
    ini.WriteString(QStringLiteral("\u00DCber"), QStringLiteral("Gr\u00F6\u00DFe"),
                    QStringLiteral("A4 \u20AC"));
    ini.WriteString(QStringLiteral("\u00DCber"), QStringLiteral("Leer"), QString());
    EXPECT_EQ(readFileBytes(windir.filePath("Win.Ini")),
              "[\xC3\x9C"
              "ber]\nGr\xC3\xB6\xC3\x9F"
              "e=A4 \xE2\x82\xAC\nLeer=\n");
    EXPECT_EQ(ini.ReadString(QStringLiteral("\u00FCBER"), QStringLiteral("GR\u00D6\u00DFE"), {}),
              QStringLiteral("A4 \u20AC"));
}

// A write that fails raises "Unable to write to" with the name exactly as the accessor got it,
// and leaves the file as it was.
TEST(IniFileWrite, FailedWriteRaisesTheOneError)
{
    TempWindowsDir windir;
    const QByteArray before = "[Quixbar]\nRow=1\n";
    ASSERT_TRUE(writeFileBytes(windir.filePath("WIN.INI"), before));
    ReadOnlyGuard guard(windir.filePath("WIN.INI"));
    HALVANE_REQUIRE_READ_ONLY(guard);

    const QString names[]
        = {QStringLiteral("Win.Ini"), QStringLiteral("win.ini"), windir.filePath("Win.Ini")};
    for (const QString &name : names) {
        TIniFile ini(name);
        try {
            ini.WriteInteger(QStringLiteral("Quixbar"), QStringLiteral("Row"), 2);
            ADD_FAILURE() << "no error for " << qPrintable(name);
        } catch (const EIniFileException &error) {
            EXPECT_EQ(QString::fromStdString(error.what()),
                      QStringLiteral("Unable to write to ") + name);
        }
    }
    EXPECT_EQ(readFileBytes(windir.filePath("WIN.INI")), before);
}

// A language file's full path in a folder that does not exist, and a value that would break the
// file, fail the same way.
TEST(IniFileWrite, OtherFailuresRaiseTheError)
{
    TempFolder base;
    const QString missing = base.filePath("Dv/Dv.Lng");
    EXPECT_THROW(
        TIniFile(missing).WriteInteger(QStringLiteral("eng"), QStringLiteral("DefaultSize"), 4),
        EIniFileException);
    TempWindowsDir windir;
    try {
        TIniFile(QStringLiteral("Win.Ini"))
            .WriteString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("two\nlines"));
        ADD_FAILURE() << "no error for a line break";
    } catch (const EIniFileException &error) {
        EXPECT_STREQ(error.what(), "Unable to write to Win.Ini");
    }
    EXPECT_TRUE(folderEntries(windir.path()).isEmpty());
}

} // namespace
