#include "shared/Language.h"

#include "shared/IniFiles.h"

const QString FallbackText = QStringLiteral("Problem");

QString LanguageText(const TIniFile &LanguageFile, const QString &LanguageName, const QString &Key)
{
    return LanguageText(LanguageFile, LanguageName, Key, FallbackText);
}

QString LanguageText(const TIniFile &LanguageFile, const QString &LanguageName, const QString &Key,
                     const QString &Fallback)
{
    return LanguageFile.ReadString(LanguageName, Key, Fallback);
}

const QStringList &PaperKeys()
{
    static const QStringList Keys = {
        QStringLiteral("A2"),        QStringLiteral("A3"),        QStringLiteral("A4"),
        QStringLiteral("A5"),        QStringLiteral("A6"),        QStringLiteral("B4"),
        QStringLiteral("B5"),        QStringLiteral("C6"),        QStringLiteral("DL"),
        QStringLiteral("Executive"), QStringLiteral("Hagaki"),    QStringLiteral("Legal"),
        QStringLiteral("Letter"),    QStringLiteral("Statement"), QStringLiteral("Tabloid"),
    };
    return Keys;
}
