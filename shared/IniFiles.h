#pragma once

#include <QString>

#include <stdexcept>

// The settings accessor: the one way the suite reads and writes its INI-format files.
// It holds nothing but its file name; every read asks the file afresh and every write reaches
// the file before it returns.

// The error of a write that did not reach the file.
class EIniFileException : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class TIniFile
{
public:
    // A bare name ("Win.Ini") means the file in the Windows directory, a full path that file.
    // Does not touch the disk.
    explicit TIniFile(const QString &FileName);

    const QString &FileName() const { return FFileName; }

    // The entry's value, or Default when the file, section or key is missing. Never fails.
    QString ReadString(const QString &Section, const QString &Ident, const QString &Default) const;
    // The entry as a 32-bit integer (decimal, or hexadecimal after "$" or "0x"), or Default
    // when it is missing or not such a number.
    int ReadInteger(const QString &Section, const QString &Ident, int Default) const;

    // Store the value; a failed write throws EIniFileException "Unable to write to <FileName>".
    void WriteString(const QString &Section, const QString &Ident, const QString &Value);
    void WriteInteger(const QString &Section, const QString &Ident, int Value);

private:
    QString FFileName;
};

// The integer rule of ReadInteger on its own, for a text already read: true and the number in
// Value when Text is one.
bool TryStrToInt(const QString &Text, int &Value);
