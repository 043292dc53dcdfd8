#pragma once
#include <QImage>
#include <QString>

namespace platform {

// The largest picture side the program reads; a file whose header claims
// more is refused before anything is decoded.
constexpr int MaxPictureSide = 8192;

// Reads the JPEG file at `path`. Returns a null image when the file is
// missing, empty, not a JPEG, cut short, larger than MaxPictureSide on a
// side, or does not decode.
QImage LoadJpeg(const QString& path);

}  // namespace platform
