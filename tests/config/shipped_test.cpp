// What an installation ships beside the tool: every language has every text, message and a
// sound paper choice, and the access keys of one window never clash.
#include "config/Dvc01.h"
#include "shared/IniFiles.h"
#include "shared/Language.h"
#include "support/paths.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {
const QStringList Languages = {"eng", "deu", "fra"};

QString shipped(const QString &name)
{
    return testsupport::sourceDir() + QStringLiteral("/suite/copier/") + name;
}

// The letter an "&" marks in a caption, lower case, or a null character when none.
QChar accessKey(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (caption.at(i + 1) != QLatin1Char('&'))
            return caption.at(i + 1).toLower();
        ++i;
    }
    return QChar();
}

const char *const TextKeys[] = {
    "Hint.DvConfForm",
    "Hint.DpiBox",
    "Caption.DpiBox",
    "Hint.SizeGroup",
    "Caption.SizeGroup",
    "Hint.SourceBox",
    "Caption.SourceBox",
    "Hint.AboutButton",
    "Caption.AboutButton",
    "Hint.CancelButton",
    "Caption.CancelButton",
    "Hint.ExitButton",
    "Caption.ExitButton",
    "Caption.BWLabel",
    "Caption.GreyLabel",
    "Caption.ColourLabel",
    "Hint.AboutForm",
    "Caption.AboutForm",
    "Caption.AboutUserLabel",
    "Caption.AboutCompanyLabel",
    "Caption.AboutVersionLabel",
    "Caption.AboutOKButton",
    "Hint.AboutWarningLabel",
    "Caption.AboutWarningLabel",
};
} // namespace

// The catalogue has a caption and messages 16 and 20 in every language.
TEST(DvConfShippedFilesTest, CatalogueCoversEveryLanguage)
{
    const TIniFile catalogue(shipped(QStringLiteral("Halvane.Msg")));
    for (const QString &language : Languages)
        for (const char *key : {"Caption.MessageForm", "16", "20"})
            EXPECT_FALSE(catalogue.ReadString(language, QLatin1String(key), QString()).isEmpty())
                << language.toStdString() << " " << key;
}

// The dialog's texts exist in every language, the buttons keep an access key, and no two
// buttons of the dialog share one.
TEST(DvConfShippedFilesTest, DialogTextsCoverEveryLanguage)
{
    const TIniFile texts(shipped(QStringLiteral("DvConf.Lng")));
    for (const QString &language : Languages) {
        SCOPED_TRACE(language.toStdString());
        for (const char *key : TextKeys)
            EXPECT_NE(LanguageText(texts, language, QLatin1String(key)), FallbackText) << key;
        QSet<QChar> keys = {QLatin1Char('s')}; // "&Select Source" is not translated
        for (const char *button :
             {"Caption.AboutButton", "Caption.CancelButton", "Caption.ExitButton"}) {
            const QChar key = accessKey(LanguageText(texts, language, QLatin1String(button)));
            EXPECT_FALSE(key.isNull()) << button;
            EXPECT_FALSE(keys.contains(key)) << button;
            keys.insert(key);
        }
        EXPECT_FALSE(
            accessKey(LanguageText(texts, language, QStringLiteral("Caption.AboutOKButton")))
                .isNull());
    }
}

// Every paper has a shown name with its measurements, and every language a choice of five known
// sizes and a default among them.
TEST(DvConfShippedFilesTest, PaperFileCoversEveryLanguage)
{
    const TIniFile papers(shipped(QStringLiteral("Dv.Lng")));
    for (const QString &key : PaperKeys()) {
        const QString name = papers.ReadString(QStringLiteral("Paper Name"), key, QString());
        EXPECT_TRUE(name.contains(QLatin1String(" x "))) << key.toStdString();
    }
    EXPECT_EQ(papers.ReadString(QStringLiteral("Paper Name"), QStringLiteral("A4"), QString()),
              QStringLiteral("A4 210 x 297 mm"));
    EXPECT_EQ(papers.ReadString(QStringLiteral("Paper Name"), QStringLiteral("Letter"), QString()),
              QStringLiteral("US Letter 8.5 x 11 in"));
    for (const QString &language : Languages) {
        for (int n = 1; n <= 5; ++n) {
            const QString size = papers.ReadString(
                language, QStringLiteral("Size.") + QString::number(n), QString());
            EXPECT_TRUE(PaperKeys().contains(size)) << language.toStdString() << " " << n;
        }
        const int defaultSize = papers.ReadInteger(language, QStringLiteral("DefaultSize"), 0);
        EXPECT_GE(defaultSize, 1) << language.toStdString();
        EXPECT_LE(defaultSize, 5) << language.toStdString();
    }
}
