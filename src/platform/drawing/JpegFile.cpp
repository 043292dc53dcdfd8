#include "platform/drawing/JpegFile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace platform {
namespace {

// No picture of MaxPictureSide squared takes more than this as a file.
constexpr qint64 MaxJpegFileBytes = 64 * 1024 * 1024;

// Room for a decoded picture of MaxPictureSide squared at 4 bytes a pixel.
constexpr int DecodeLimitMegabytes =
    static_cast<int>(qint64{MaxPictureSide} * MaxPictureSide * 4 / (1024 * 1024));

bool IsRestartMarker(unsigned char marker) { return marker >= 0xD0 && marker <= 0xD7; }

// Walks the markers of a JPEG stream from its start (FF D8) to its end
// (FF D9): every segment must lie inside the data, and the compressed data
// after a start of scan must run into a marker. A file cut short anywhere
// fails here; the decoder itself would only warn and paint the rest grey.
bool IsCompleteJpeg(const QByteArray& data) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
  const qsizetype size = data.size();
  if (size < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) return false;
  qsizetype pos = 2;
  while (pos + 1 < size) {
    if (bytes[pos] != 0xFF) return false;
    const unsigned char marker = bytes[pos + 1];
    if (marker == 0xFF) {  // a fill byte before the marker
      ++pos;
      continue;
    }
    pos += 2;
    if (marker == 0xD9) return true;
    if (marker == 0x01 || IsRestartMarker(marker)) continue;
    if (pos + 2 > size) return false;
    const int length = bytes[pos] << 8 | bytes[pos + 1];
    if (length < 2 || pos + length > size) return false;
    pos += length;
    if (marker != 0xDA) continue;
    // Compressed data: an FF in it is followed by a stuffed 00 or a restart
    // marker; any other FF pair is the next marker.
    while (pos + 1 < size &&
           !(bytes[pos] == 0xFF && bytes[pos + 1] != 0x00 && !IsRestartMarker(bytes[pos + 1]))) {
      ++pos;
    }
  }
  return false;
}

}  // namespace

QImage LoadJpeg(const QString& path) { return DecodeJpeg(ReadJpegFile(path)); }

QByteArray ReadJpegFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > MaxJpegFileBytes) return {};
  // As long as it was when opened: room for no more than it held then.
  QByteArray data = file.read(file.size());
  return IsCompleteJpeg(data) ? data : QByteArray();
}

namespace {

// Whether the header `reader` reads claims a picture the program takes;
// decoding is then held to the room such a picture needs.
bool TakesPicture(QImageReader& reader) {
  const QSize size = reader.size();
  QImageReader::setAllocationLimit(DecodeLimitMegabytes);
  return size.isValid() && !size.isEmpty() && size.width() <= MaxPictureSide &&
         size.height() <= MaxPictureSide;
}

}  // namespace

QImage DecodeJpeg(const QByteArray& file) {
  QBuffer buffer;
  buffer.setData(file);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "jpeg");
  return TakesPicture(reader) ? reader.read() : QImage();
}

bool DecodeJpegInto(const QByteArray& file, QImage& image) {
  QBuffer buffer;
  buffer.setData(file);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "jpeg");
  // The reader keeps an image of the picture's size and format, and writes
  // its rows where they are.
  return TakesPicture(reader) && reader.size() == image.size() &&
         reader.imageFormat() == image.format() && reader.read(&image);
}

}  // namespace platform
