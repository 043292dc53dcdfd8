#include "support/MediaFiles.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <cmath>
#include <cstdint>

namespace {

void AppendBigEndian(QByteArray& bytes, uint32_t value, int count) {
  for (int i = count - 1; i >= 0; --i) bytes.append(static_cast<char>(value >> (8 * i) & 0xFF));
}

void AppendLittleEndian(QByteArray& bytes, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes.append(static_cast<char>(value >> (8 * i) & 0xFF));
}

}  // namespace

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
  const qsizetype frame = jpeg.indexOf("\xFF\xC0");
  EXPECT_GE(frame, 0) << "not a baseline JPEG";
  jpeg[frame + 5] = static_cast<char>(height >> 8);
  jpeg[frame + 6] = static_cast<char>(height & 0xFF);
  jpeg[frame + 7] = static_cast<char>(width >> 8);
  jpeg[frame + 8] = static_cast<char>(width & 0xFF);
  return jpeg;
}

QByteArray TestTune() {
  // At 480 ticks a beat and 120 beats a minute a second is 960 ticks; delta
  // times of 960 and 1920 ticks are written 87 40 and 8F 00.
  const QByteArray track = QByteArray::fromHex(
      "00C000"        // acoustic grand piano
      "00903C6E"      // middle C on
      "8740803C00"    // and off a second later
      "8F00FF2F00");  // end of track two seconds after that
  QByteArray tune = QByteArray::fromHex(
      "4D546864"  // "MThd"
      "00000006"  // of six bytes:
      "0000"      // format 0,
      "0001"      // one track,
      "01E0");    // 480 ticks a beat
  tune.append("MTrk");
  AppendBigEndian(tune, static_cast<uint32_t>(track.size()), 4);
  return tune + track;
}

QByteArray ToneWave(int ms, int sampleRate) {
  const uint32_t frames = static_cast<uint32_t>(int64_t{sampleRate} * ms / 1000);
  QByteArray samples;
  for (uint32_t i = 0; i < frames; ++i) {
    const double value = 8000 * std::sin(2 * M_PI * 880 * i / sampleRate);
    AppendLittleEndian(samples, static_cast<uint16_t>(static_cast<int16_t>(value)), 2);
  }
  QByteArray wave("RIFF");
  AppendLittleEndian(wave, 36 + static_cast<uint32_t>(samples.size()), 4);
  wave.append("WAVEfmt ");
  AppendLittleEndian(wave, 16, 4);
  AppendLittleEndian(wave, 1, 2);  // PCM
  AppendLittleEndian(wave, 1, 2);  // mono
  AppendLittleEndian(wave, static_cast<uint32_t>(sampleRate), 4);
  AppendLittleEndian(wave, static_cast<uint32_t>(sampleRate) * 2, 4);
  AppendLittleEndian(wave, 2, 2);
  AppendLittleEndian(wave, 16, 2);
  wave.append("data");
  AppendLittleEndian(wave, static_cast<uint32_t>(samples.size()), 4);
  wave.append(samples);
  return wave;
}
