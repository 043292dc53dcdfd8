#include "platform/WaveFile.h"

#include <sndfile.h>

#include <QFile>
#include <algorithm>

namespace platform {
namespace {

// No sound of the game comes near this size; a sound effect holds its
// whole file in memory.
constexpr qint64 MaxWaveBytes = 32 * 1024 * 1024;

uint32_t LittleEndian(const QByteArray& bytes, qsizetype at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// Whether the file's data chunk holds all the samples its header claims.
// A sound effect sets aside room for what the header claims before it
// reads a sample, so a file cut short, or one that claims gigabytes, would
// cost that much memory or end the program when it cannot be had.
bool DataChunkFits(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > MaxWaveBytes) return false;
  const QByteArray bytes = file.readAll();
  qsizetype pos = 12;  // after "RIFF", its length and "WAVE"
  while (pos + 8 <= bytes.size()) {
    const qint64 length = LittleEndian(bytes, pos + 4);
    if (bytes.mid(pos, 4) == "data") return length <= bytes.size() - pos - 8;
    pos += 8 + length + (length & 1);
  }
  return false;
}

}  // namespace

std::optional<uint32_t> WaveFileLength(const QString& path) {
  if (!DataChunkFits(path)) return std::nullopt;
  SF_INFO info{};
  SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
  if (!file) return std::nullopt;
  sf_close(file);
  if ((info.format & SF_FORMAT_TYPEMASK) != SF_FORMAT_WAV || info.frames <= 0 ||
      info.samplerate <= 0) {
    return std::nullopt;
  }
  const sf_count_t ms = (info.frames * 1000 + info.samplerate - 1) / info.samplerate;
  return static_cast<uint32_t>(std::min<sf_count_t>(ms, UINT32_MAX));
}

}  // namespace platform
