#pragma once

// Readable failure messages for the Qt values tests compare.

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <ostream>

inline void PrintTo(const QString &value, std::ostream *out)
{
    *out << '"' << value.toStdString() << '"';
}

inline void PrintTo(const QByteArray &value, std::ostream *out)
{
    *out << '"' << value.toStdString() << '"' << " (" << value.size() << " bytes)";
}

inline void PrintTo(const QPoint &value, std::ostream *out)
{
    *out << '(' << value.x() << ", " << value.y() << ')';
}

inline void PrintTo(const QSize &value, std::ostream *out)
{
    *out << value.width() << " x " << value.height();
}

inline void PrintTo(const QRect &value, std::ostream *out)
{
    *out << value.width() << " x " << value.height() << " at (" << value.x() << ", " << value.y()
         << ')';
}
