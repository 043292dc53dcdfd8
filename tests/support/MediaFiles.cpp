#include "support/MediaFiles.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QImageWriter>
#include <cmath>

void WriteTestFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  ASSERT_EQ(file.write(bytes), bytes.size());
}

QImage PlainPicture(int width, int height, QColor colour) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(colour);
  return picture;
}

QByteArray JpegBytes(const QImage& picture, bool progressive) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(95);
  writer.setProgressiveScanWrite(progressive);
  EXPECT_TRUE(writer.write(picture));
  return bytes;
}

QByteArray JpegWithFrameSize(QByteArray jpeg, int width, int height) {
  qsizetype frame = jpeg.indexOf("\xFF\xC0");
  if (frame < 0) frame = jpeg.indexOf("\xFF\xC2");  // a progressive one's
  EXPECT_GE(frame, 0) << "no frame header";
  const char size[] = {char(height >> 8), char(height), char(width >> 8), char(width)};
  return jpeg.replace(frame + 5, 4, size, 4);
}

QByteArray TestTune() {
  // At 480 ticks a beat and 120 beats a minute a second is 960 ticks; delta
  // times of 960 and 1920 ticks are written 87 40 and 8F 00.
  return QByteArray::fromHex(
      "4D546864 00000006 0000 0001 01E0"  // "MThd": format 0, one track, 480 ticks a beat
      "4D54726B 00000011"                 // "MTrk" of 17 bytes:
      "00C000 00903C6E"                   // acoustic grand piano, middle C on
      "8740803C00 8F00FF2F00");           // and off a second later, the end two after that
}

QByteArray ToneWave(int ms, int sampleRate) {
  const quint32 frames = static_cast<quint32>(int64_t{sampleRate} * ms / 1000);
  QByteArray wave;
  QDataStream out(&wave, QIODevice::WriteOnly);
  out.setByteOrder(QDataStream::LittleEndian);
  out.writeRawData("RIFF", 4);
  out << quint32(36 + 2 * frames);
  out.writeRawData("WAVEfmt ", 8);
  // PCM, mono, the rate, its bytes a second, two bytes a frame of 16 bits.
  out << quint32(16) << quint16(1) << quint16(1) << quint32(sampleRate) << quint32(2 * sampleRate)
      << quint16(2) << quint16(16);
  out.writeRawData("data", 4);
  out << quint32(2 * frames);
  for (quint32 i = 0; i < frames; ++i)
    out << qint16(8000 * std::sin(2 * M_PI * 880 * i / sampleRate));
  return wave;
}

void FillWithPattern(QImage& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      image.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 64 + (y / 256) * 128));
}
