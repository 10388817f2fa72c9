// Values as text: UTF-8 when it is valid, Windows-1252 otherwise, and cuts that keep UTF-8 whole.
#include "platform/profile.h"
#include "support/files.h"
#include "support/printers.h"

#include <gtest/gtest.h>

namespace {

using testsupport::TempWindowsDir;
using testsupport::writeFileBytes;

struct DecodeCase
{
    const char *name;
    QByteArray bytes;
    QString text;
};

// Valid UTF-8 reads as UTF-8; anything else is taken for Windows-1252, byte by byte.
TEST(SettingText, DecodesUtf8OrWindows1252)
{
    const DecodeCase rows[] = {
        {"ascii", "Row 25", QStringLiteral("Row 25")},
        {"empty", "", QString()},
        {"utf-8 two bytes", "\xC3\xA9t\xC3\xA9", QStringLiteral("\u00E9t\u00E9")},
        {"utf-8 three bytes", "\xE2\x82\xAC 5", QStringLiteral("\u20AC 5")},
        {"utf-8 four bytes", "\xF0\x9F\x98\x80", QString::fromUcs4(U"\U0001F600")},
        {"latin letter", "\xE9t\xE9", QStringLiteral("\u00E9t\u00E9")},
        {"euro", "\x80", QStringLiteral("\u20AC")},
        {"quotes and dashes", "\x93x\x94 \x96 \x97", QStringLiteral("\u201Cx\u201D \u2013 \u2014")},
        {"last of the table", "\x9F", QStringLiteral("\u0178")},
        {"s caron", "\x8A\x9A", QStringLiteral("\u0160\u0161")},
        {"undefined bytes keep latin-1", "\x81\x8D\x8F\x90\x9D",
         QStringLiteral("\u0081\u008D\u008F\u0090\u009D")},
        {"upper latin-1", "\xA0\xFF", QStringLiteral("\u00A0\u00FF")},
        {"overlong utf-8", "\xC0\xAF", QStringLiteral("\u00C0\u00AF")},
        {"encoded surrogate", "\xED\xA0\x80", QStringLiteral("\u00ED\u00A0\u20AC")},
        {"truncated utf-8", "ab\xC3", QStringLiteral("ab\u00C3")},
        {"mixed utf-8 and 1252", "\xC3\xA9\xE9", QStringLiteral("\u00C3\u00A9\u00E9")},
    };
    for (const DecodeCase &row : rows)
        EXPECT_EQ(platform::decodeSettingText(row.bytes), row.text) << row.name;
}

// Every byte from 0x80 to 0x9F maps as Windows maps it.
TEST(SettingText, Windows1252HighRange)
{
    const char16_t expected[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    for (int byte = 0x80; byte <= 0x9F; ++byte) {
        const QByteArray bytes(1, static_cast<char>(byte));
        EXPECT_EQ(platform::decodeSettingText(bytes), QString(QChar(expected[byte - 0x80])))
            << std::hex << byte;
    }
}

// Text goes back as UTF-8 and reads again as the same text.
TEST(SettingText, EncodesUtf8)
{
    const QString texts[] = {QStringLiteral("Row"), QStringLiteral("\u00C9t\u00E9 \u20AC"),
                             QString::fromUcs4(U"\U0001F600"), QString()};
    for (const QString &text : texts) {
        EXPECT_EQ(platform::encodeSettingText(text), text.toUtf8());
        EXPECT_EQ(platform::decodeSettingText(platform::encodeSettingText(text)), text);
    }
}

struct CutCase
{
    const char *name;
    QByteArray value;
    QByteArray expected;
};

// A long value is cut at 1,023 bytes, but never inside a UTF-8 character of a UTF-8 value: half
// a character would make the whole value read as Windows-1252.
TEST(SettingText, LongValuesCutAtCharacterBoundaries)
{
    const QByteArray x1020(1020, 'x');
    const CutCase rows[] = {
        {"ascii", QByteArray(1500, 'x'), QByteArray(1023, 'x')},
        {"two-byte character across the cut", x1020 + "xx\xC3\xA9", x1020 + "xx"},
        {"two-byte character before the cut", x1020 + "x\xC3\xA9z", x1020 + "x\xC3\xA9"},
        {"three-byte character across the cut", x1020 + "x\xE2\x82\xAC", x1020 + "x"},
        {"three-byte character ends at the cut", x1020 + "\xE2\x82\xAC!", x1020 + "\xE2\x82\xAC"},
        {"four-byte character across the cut", x1020 + "\xF0\x9F\x98\x80", x1020},
        {"windows-1252 cut exactly", x1020 + "xx\xE9\xE9", x1020 + "xx\xE9"},
    };
    for (const CutCase &row : rows) {
        TempWindowsDir windir;
        ASSERT_TRUE(writeFileBytes(windir.filePath("Win.Ini"), "[S]\nk=" + row.value + "\n"));
        const QByteArray read
            = platform::readProfileString("S", "k", "", QStringLiteral("Win.Ini"));
        EXPECT_EQ(read, row.expected) << row.name;
        EXPECT_LE(read.size(), platform::MaxProfileValue) << row.name;
    }
}

} // namespace
