#include "platform/audio/WaveFile.h"

#include <QFile>
#include <algorithm>

namespace platform {
namespace {

// No sound of the game comes near this size; a sound effect holds its
// whole file in memory.
constexpr qint64 MaxWaveBytes = 32 * 1024 * 1024;

// The sample formats a wave file's "fmt " chunk names that the sound
// effects play: integer PCM, IEEE floats, and either of them named in the
// extensible form.
constexpr int PcmFormat = 1;
constexpr int FloatFormat = 3;
constexpr int ExtensibleFormat = 0xFFFE;

uint32_t LittleEndian(const QByteArray& bytes, qsizetype at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// What the "fmt " chunk at `at` (its length `length`) says of the frames;
// zeros when it names nothing the sound effects play.
struct WaveFormat {
  uint32_t framesPerSecond = 0;
  uint32_t bytesPerFrame = 0;
};

WaveFormat ReadFormat(const QByteArray& bytes, qsizetype at, qint64 length) {
  if (length < 16) return {};
  int format = static_cast<int>(LittleEndian(bytes, at, 2));
  if (format == ExtensibleFormat) {
    // The sub-format's GUID begins with the plain format's number.
    if (length < 40) return {};
    format = static_cast<int>(LittleEndian(bytes, at + 24, 2));
  }
  const uint32_t channels = LittleEndian(bytes, at + 2, 2);
  const uint32_t bits = LittleEndian(bytes, at + 14, 2);
  const uint32_t blockAlign = LittleEndian(bytes, at + 12, 2);
  if ((format != PcmFormat && format != FloatFormat) || channels == 0 || bits == 0 ||
      blockAlign < channels * ((bits + 7) / 8)) {
    return {};
  }
  return {LittleEndian(bytes, at + 4, 4), blockAlign};
}

}  // namespace

std::optional<uint32_t> WaveFileLength(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > MaxWaveBytes) return std::nullopt;
  const QByteArray bytes = file.read(file.size());
  if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
    return std::nullopt;
  }
  // The chunks after "RIFF", its length and "WAVE": the format before the
  // samples. A data chunk must hold all the samples its header claims: the
  // sound effect sets aside room for them before it reads one, so a file
  // cut short, or one that claims gigabytes, would cost that much memory.
  WaveFormat format;
  qsizetype pos = 12;
  while (pos + 8 <= bytes.size()) {
    const qint64 length = LittleEndian(bytes, pos + 4, 4);
    const QByteArray id = bytes.mid(pos, 4);
    if (length > bytes.size() - pos - 8) return std::nullopt;
    if (id == "fmt ") format = ReadFormat(bytes, pos + 8, length);
    if (id == "data") {
      if (format.framesPerSecond == 0 || format.bytesPerFrame == 0) return std::nullopt;
      const qint64 frames = length / format.bytesPerFrame;
      if (frames == 0) return std::nullopt;
      const qint64 ms = (frames * 1000 + format.framesPerSecond - 1) / format.framesPerSecond;
      return static_cast<uint32_t>(std::min<qint64>(ms, UINT32_MAX));
    }
    pos += 8 + length + (length & 1);
  }
  return std::nullopt;
}

}  // namespace platform
