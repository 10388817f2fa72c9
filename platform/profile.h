#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The profile functions: read and write one entry of an INI-format settings file, the way
// decades of settings files expect. Values are bytes; decodeSettingText() and
// encodeSettingText() are the one place where they become text and back.
namespace platform {

// The longest value a read gives, in bytes.
inline constexpr int MaxProfileValue = 1023;

// The folder that bare settings names lead to: $HALVANE_WINDIR when set and not empty, else
// $XDG_CONFIG_HOME/halvane, else ~/.config/halvane. Not created here.
QString windowsDirectory();

// The file a settings name stands for. A bare name ("Win.Ini") lies in windowsDirectory(); a
// name with a folder names that file. The file name is matched against the folder's regular
// files without regard to letter case: the exact spelling wins, then the first match in byte
// order. With no match, the name keeps the spelling asked for.
QString resolveProfilePath(const QString &name);

// The value of key in section of the file, or def when the file, the section or the key is
// missing, or the name leads to no readable regular file. Never fails. The rules:
// - lines end at CR LF, LF or CR; a UTF-8 byte-order mark at the start is skipped;
// - "[name]" starts a section (the name ends at the first "]", blanks around it are dropped);
//   only the first section of a name is searched; entries before the first section belong to none;
// - "key=value": the value is everything after the first "=", up to a NUL, without the blanks
//   (space, TAB, VT) at both ends and one outer pair of matching quotes; the first of two equal
//   keys wins; an empty value gives empty bytes, not def;
// - a line whose first non-blank byte is ";" is a comment; any other line without "=" is ignored;
// - section and key names match without regard to letter case (as text when not plain ASCII);
// - a value gives at most MaxProfileValue bytes, cut so that no UTF-8 character is split.
// Every call reads the file afresh.
QByteArray readProfileString(QByteArrayView section, QByteArrayView key, QByteArrayView def,
                             const QString &fileName);

// Stores key=value in section: replaces the value of the first matching entry (keeping the
// spelling of its key and all that precedes its value), or adds the entry after the last entry
// of the first matching section, or adds the section at the end of the file, or creates the file
// (and, for a bare name, the Windows directory). New lines take the file's own line ending (LF in
// a new file). Every other byte of the file stays as it was.
//
// The whole read-change-write runs under an exclusive lock that every writer of ours takes, and
// the new contents replace the file by an atomic rename, so concurrent writers lose nothing and a
// crash leaves the old file or the new one. A link is written at its target; owner and
// permissions stay. Where the folder takes no new file but the file may be written, the file is
// rewritten in place.
//
// Returns true when the value reached the file. Returns false, with the file byte for byte as it
// was and no new file beside it, when the file is read-only, the folder of a full path does not
// exist, something other than a regular file is in the file's place, the disk is full, or an
// argument would break the file's structure: CR, LF or NUL anywhere, "]" in the section, "=" in
// the key, or a key that would read as a comment or a section header.
bool writeProfileString(QByteArrayView section, QByteArrayView key, QByteArrayView value,
                        const QString &fileName);

// A setting's bytes as text: valid UTF-8 as UTF-8, anything else as Windows-1252 (the five bytes
// that code page leaves undefined keep their Latin-1 meaning, as Windows' conversion has them).
QString decodeSettingText(QByteArrayView bytes);
// Text as a setting's bytes (UTF-8).
QByteArray encodeSettingText(const QString &text);

} // namespace platform
