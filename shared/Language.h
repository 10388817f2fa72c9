#pragma once

#include <QString>
#include <QStringList>

class TIniFile;

// The rules shared by the suite's language files: one section per language code, "Hint." and
// "Caption." entries, and the text a missing entry gives.

// The text of a missing language entry.
extern const QString FallbackText; // "Problem"

// The text of key in the language section, or FallbackText (or the given fallback) when the
// file, the section or the key is missing.
QString LanguageText(const TIniFile &LanguageFile, const QString &LanguageName, const QString &Key);
QString LanguageText(const TIniFile &LanguageFile, const QString &LanguageName, const QString &Key,
                     const QString &Fallback);

// The fifteen paper keys of a copier language file, in the order of the list positions 1 to 15.
const QStringList &PaperKeys();
