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

// LoadJpeg in two halves: the file's bytes, empty when it is missing,
// empty, not a whole JPEG or too large a file; and the picture they hold,
// null when it is larger than MaxPictureSide on a side or does not decode.
// Bytes that decoded once decode alike every time.
QByteArray ReadJpegFile(const QString& path);
QImage DecodeJpeg(const QByteArray& file);

// DecodeJpeg straight into the pixels of `image` when the picture has its
// size and its format (a colour JPEG and 32-bit pixels), with no second
// picture's memory; false, and `image` untouched, when the picture has
// another size or format or is refused before decoding.
bool DecodeJpegInto(const QByteArray& file, QImage& image);

}  // namespace platform
