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
// missing. Never fails. See readProfileString's rules in profile.cpp.
QByteArray readProfileString(QByteArrayView section, QByteArrayView key, QByteArrayView def,
                             const QString &fileName);

// Stores key=value in section, creating the file, the section or the entry as needed, and
// leaves every other byte of the file as it is. Returns true when the value reached the file;
// false, with the file unchanged, when it cannot be written or an argument holds CR, LF or NUL.
bool writeProfileString(QByteArrayView section, QByteArrayView key, QByteArrayView value,
                        const QString &fileName);

// A setting's bytes as text: valid UTF-8 as UTF-8, anything else as Windows-1252.
QString decodeSettingText(QByteArrayView bytes);
// Text as a setting's bytes (UTF-8).
QByteArray encodeSettingText(const QString &text);

} // namespace platform
