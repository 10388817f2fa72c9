#include "shared/IniFiles.h"

#include "platform/profile.h"

TIniFile::TIniFile(const QString &FileName)
    : FFileName(FileName)
{ }

QString TIniFile::ReadString(const QString &Section, const QString &Ident,
                             const QString &Default) const
{
    const QByteArray DefaultBytes = platform::encodeSettingText(Default);
    const QByteArray Value
        = platform::readProfileString(platform::encodeSettingText(Section),
                                      platform::encodeSettingText(Ident), DefaultBytes, FFileName);
    return platform::decodeSettingText(Value);
}

int TIniFile::ReadInteger(const QString &Section, const QString &Ident, int Default) const
{
    int Value = 0;
    return TryStrToInt(ReadString(Section, Ident, QString()), Value) ? Value : Default;
}

void TIniFile::WriteString(const QString &Section, const QString &Ident, const QString &Value)
{
    if (!platform::writeProfileString(platform::encodeSettingText(Section),
                                      platform::encodeSettingText(Ident),
                                      platform::encodeSettingText(Value), FFileName))
        throw EIniFileException(
            QStringLiteral("Unable to write to %1").arg(FFileName).toStdString());
}

void TIniFile::WriteInteger(const QString &Section, const QString &Ident, int Value)
{
    WriteString(Section, Ident, QString::number(Value));
}

namespace {

int HexDigit(QChar C)
{
    const char16_t U = C.unicode();
    if (U >= '0' && U <= '9')
        return U - '0';
    if (U >= 'a' && U <= 'f')
        return U - 'a' + 10;
    if (U >= 'A' && U <= 'F')
        return U - 'A' + 10;
    return -1;
}

bool IsDecimalDigit(QChar C)
{
    return C.unicode() >= '0' && C.unicode() <= '9';
}

} // namespace

bool TryStrToInt(const QString &Text, int &Value)
{
    QString S = Text;
    if (S.size() > 2 && (S.startsWith(QLatin1String("0x")) || S.startsWith(QLatin1String("0X"))))
        S.replace(0, 2, QLatin1Char('$'));
    qsizetype I = 0;
    while (I < S.size() && (S[I] == QLatin1Char(' ') || S[I] == QLatin1Char('\t')))
        ++I;
    if (I < S.size() && S[I] == QLatin1Char('$')) {
        // Up to eight significant digits; leading zeros do not count. The 32 bits are taken as a
        // two's-complement number, so $FFFFFFFF is -1.
        ++I;
        if (I == S.size())
            return false;
        quint32 Bits = 0;
        int Significant = 0;
        for (; I < S.size(); ++I) {
            const int Digit = HexDigit(S[I]);
            if (Digit < 0)
                return false;
            if (Bits != 0 || Digit != 0)
                ++Significant;
            if (Significant > 8)
                return false;
            Bits = (Bits << 4) | static_cast<quint32>(Digit);
        }
        Value = static_cast<int>(Bits);
        return true;
    }
    bool Negative = false;
    if (I < S.size() && (S[I] == QLatin1Char('+') || S[I] == QLatin1Char('-'))) {
        Negative = S[I] == QLatin1Char('-');
        ++I;
    }
    if (I == S.size())
        return false;
    // Accumulated as a negative number, whose range reaches one further than the positive one.
    qint64 Magnitude = 0;
    for (; I < S.size(); ++I) {
        if (!IsDecimalDigit(S[I]))
            return false;
        Magnitude = Magnitude * 10 + (S[I].unicode() - '0');
        if (Magnitude > 2147483648LL)
            return false;
    }
    if (!Negative && Magnitude > 2147483647LL)
        return false;
    Value = static_cast<int>(Negative ? -Magnitude : Magnitude);
    return true;
}
