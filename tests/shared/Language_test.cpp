// The language-file rules: lookups with their fallbacks and the paper keys.
#include "shared/IniFiles.h"
#include "shared/Language.h"
#include "support/files.h"
#include "support/printers.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using testsupport::TempProgramFolder;

struct LookupCase
{
    const char *name;
    std::optional<QByteArray> file; // nothing: no language file
    QString language;
    QString key;
    std::optional<QString> fallback; // nothing: the common fallback
    QString expected;
};

// A lookup gives the entry of the language's section, or the fallback for a missing file,
// section or key; the code matches a section of any letter case.
TEST(LanguageText, EntryOrFallback)
{
    const QByteArray file = "[ENG]\r\nHint.ExitButton=Exit Quixbar\r\nCaption.AboutBox=\r\n"
                            "[deu]\r\nHint.ExitButton=Beenden\r\n";
    const LookupCase rows[] = {
        {"entry", file, "eng", "Hint.ExitButton", std::nullopt, QStringLiteral("Exit Quixbar")},
        {"other language", file, "deu", "Hint.ExitButton", std::nullopt, QStringLiteral("Beenden")},
        {"capital section", file, "eng", "hint.exitbutton", std::nullopt,
         QStringLiteral("Exit Quixbar")},
        {"empty entry is text", file, "eng", "Caption.AboutBox", std::nullopt, QString()},
        {"missing key", file, "deu", "Caption.AboutBox", std::nullopt, QStringLiteral("Problem")},
        {"missing section", file, "fra", "Hint.ExitButton", std::nullopt,
         QStringLiteral("Problem")},
        {"empty code", file, "", "Hint.ExitButton", std::nullopt, QStringLiteral("Problem")},
        {"missing file", std::nullopt, "eng", "Hint.ExitButton", std::nullopt,
         QStringLiteral("Problem")},
        {"own fallback", std::nullopt, "eng", "Hint.MoveButton",
         QStringLiteral("Move Quixbar Tool Bar"), QStringLiteral("Move Quixbar Tool Bar")},
        {"own fallback unused", file, "eng", "Hint.ExitButton", QStringLiteral("Other"),
         QStringLiteral("Exit Quixbar")},
    };
    for (const LookupCase &row : rows) {
        TempProgramFolder program;
        if (row.file) {
            ASSERT_TRUE(program.addFile(QStringLiteral("Qx.Lng"), *row.file));
        }
        const TIniFile language(program.folder() + QStringLiteral("Qx.Lng"));
        const QString text = row.fallback
            ? LanguageText(language, row.language, row.key, *row.fallback)
            : LanguageText(language, row.language, row.key);
        EXPECT_EQ(text, row.expected) << row.name;
    }
    EXPECT_EQ(FallbackText, QStringLiteral("Problem"));
}

// The fifteen paper keys, in the order of the list positions 1 to 15.
TEST(LanguagePaper, KeysInListOrder)
{
    const QStringList expected
        = {"A2", "A3",        "A4",     "A5",    "A6",     "B4",        "B5",     "C6",
           "DL", "Executive", "Hagaki", "Legal", "Letter", "Statement", "Tabloid"};
    EXPECT_EQ(PaperKeys(), expected);
}

} // namespace
