// Reading the pictures the build wrote, for the tests.
#pragma once

#include <QColor>
#include <QDir>
#include <QImage>
#include <QImageReader>

namespace picturetests {

inline QString dataPath(const QString &name)
{
    return QDir(QStringLiteral(KANACATCH_DATA_DIR)).filePath(name);
}

inline QString critterFile(const char *stem, int number)
{
    return QStringLiteral("%1%2.jpg").arg(QLatin1String(stem)).arg(number, 2, 10, QLatin1Char('0'));
}

// Decodes a JPEG of Deta as RGB32; a null image if it is missing or not a JPEG.
inline QImage readPicture(const QString &name)
{
    QImageReader reader(dataPath(name), "jpeg");
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

inline int luminance(QRgb c)
{
    return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000;
}

inline int difference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

}  // namespace picturetests
