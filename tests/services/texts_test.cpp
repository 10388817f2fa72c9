// The launcher's shipped texts and artwork: what its start-up reads from Qx.Lng and from the
// artwork resource.
#include "platform/form.h"
#include "shared/IniFiles.h"
#include "shared/Language.h"
#include "support/paths.h"
#include "support/printers.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <map>

namespace {

const QStringList &launcherKeys()
{
    static const QStringList keys {
        "Hint.MoveButton",
        "Hint.AboutButton",
        "Hint.HelpButton",
        "Hint.ExitButton",
        "Hint.AboutForm",
        "Caption.AboutForm",
        "Caption.AboutUserLabel",
        "Caption.AboutCompanyLabel",
        "Caption.AboutVersionLabel",
        "Caption.AboutOKButton",
        "Hint.AboutWarningLabel",
        "Caption.AboutWarningLabel",
    };
    return keys;
}

const QStringList languages {"eng", "deu", "fra"};

QString languageFile()
{
    return testsupport::sourceDir() + "/suite/launcher/Qx.Lng";
}

// Every language offers every text the launcher reads, none of them empty, and the OK caption
// carries its access key.
TEST(LauncherTexts, EveryLanguageHasEveryText)
{
    const TIniFile file(languageFile());
    const QString missing = QStringLiteral("\x01missing");
    for (const QString &language : languages) {
        for (const QString &key : launcherKeys()) {
            SCOPED_TRACE((language + " " + key).toStdString());
            const QString text = LanguageText(file, language, key, missing);
            EXPECT_NE(text, missing);
            EXPECT_FALSE(text.trimmed().isEmpty());
            EXPECT_NE(text, FallbackText);
        }
        const QString ok = LanguageText(file, language, "Caption.AboutOKButton");
        EXPECT_EQ(platform::stripAccessKeys(ok), "OK") << language.toStdString();
        EXPECT_TRUE(ok.contains('&')) << language.toStdString();
    }
}

// The file holds no entries beyond those (a misspelt key would silently give "Problem"), and
// the translations are not copies of the English text.
TEST(LauncherTexts, HoldsExactlyTheLauncherKeysTranslated)
{
    QFile file(languageFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    std::map<QString, std::map<QString, QString>> sections;
    QString section;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(';'))
            continue;
        if (line.startsWith('[')) {
            section = line.mid(1, line.indexOf(']') - 1).toLower();
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        ASSERT_GT(eq, 0) << line.toStdString();
        ASSERT_FALSE(section.isEmpty()) << line.toStdString();
        EXPECT_TRUE(sections[section].emplace(line.left(eq).trimmed(), line.mid(eq + 1)).second)
            << "twice: " << line.toStdString();
    }
    ASSERT_EQ(sections.size(), 3u);
    for (const QString &language : languages) {
        SCOPED_TRACE(language.toStdString());
        const auto &entries = sections[language];
        QStringList keys;
        for (const auto &[key, value] : entries)
            keys << key;
        QStringList expected = launcherKeys();
        keys.sort();
        expected.sort();
        EXPECT_EQ(keys, expected);
    }
    for (const char *key : {"Hint.HelpButton", "Hint.ExitButton", "Caption.AboutUserLabel",
                            "Caption.AboutWarningLabel"}) {
        EXPECT_NE(sections["deu"][key], sections["eng"][key]) << key;
        EXPECT_NE(sections["fra"][key], sections["eng"][key]) << key;
    }
}

struct Artwork
{
    const char *name;
    QSize size;
    int maxColours; // at design size; 0 for 24-bit pictures, which carry no alpha
};

int colourCount(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

// Every picture the launcher shows has its size and colour depth, and a sharp @2x twin of
// twice the size; the resource file lists them all.
TEST(LauncherArtwork, HasTheSizesAndColourDepths)
{
    const Artwork pictures[] = {
        {"dv", {20, 16}, 16},
        {"config", {20, 16}, 16},
        {"ocr", {20, 16}, 16},
        {"cabinet", {16, 16}, 16},
        {"phone", {16, 16}, 16},
        {"help", {20, 16}, 16},
        {"about", {20, 16}, 16},
        {"exit", {32, 16}, 16},
        {"qbar", {23, 17}, 256},
        {"splash-picture", {213, 180}, 0},
        {"splash-title", {224, 90}, 256},
        {"logo", {140, 81}, 0},
        {"vendor", {126, 51}, 256},
        {"icon", {32, 32}, 16},
    };
    const QString folder = testsupport::sourceDir() + "/launcher/artwork/";
    QFile qrc(folder + "artwork.qrc");
    ASSERT_TRUE(qrc.open(QIODevice::ReadOnly));
    const QString resources = QString::fromUtf8(qrc.readAll());
    EXPECT_TRUE(resources.contains("prefix=\"/launcher\""));
    QStringList listed;
    for (const auto &m : QRegularExpression("<file>([^<]+)</file>").globalMatch(resources))
        listed << m.captured(1);

    QStringList expected;
    for (const Artwork &a : pictures) {
        SCOPED_TRACE(a.name);
        const QString name = QString::fromUtf8(a.name);
        expected << name + ".png" << name + "@2x.png";
        const QImage image(folder + name + ".png");
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), a.size);
        if (a.maxColours > 0) {
            EXPECT_LE(colourCount(image), a.maxColours);
            EXPECT_EQ(image.format(), QImage::Format_Indexed8);
        } else {
            EXPECT_FALSE(image.hasAlphaChannel());
            EXPECT_EQ(image.depth(), 32); // loaded as RGB32 from a 24-bit file
        }
        const QImage twice(folder + name + "@2x.png");
        ASSERT_FALSE(twice.isNull());
        EXPECT_EQ(twice.size(), a.size * 2);
    }
    listed.sort();
    expected.sort();
    EXPECT_EQ(listed, expected);
}

} // namespace
