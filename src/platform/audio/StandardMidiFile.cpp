#include "platform/audio/StandardMidiFile.h"

#include <cstdint>

namespace platform {
namespace {

uint32_t BigEndian(const unsigned char* bytes, int count) {
  uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | bytes[i];
  return value;
}

constexpr qsizetype ChunkHeaderBytes = 8;

}  // namespace

bool IsStandardMidiFile(const QByteArray& data) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
  const qsizetype size = data.size();
  if (size < ChunkHeaderBytes + 6 || !data.startsWith("MThd")) return false;
  const uint32_t headerLength = BigEndian(bytes + 4, 4);
  const unsigned char* header = bytes + ChunkHeaderBytes;
  const uint32_t format = BigEndian(header, 2);
  const uint32_t tracks = BigEndian(header + 2, 2);
  const uint32_t division = BigEndian(header + 4, 2);
  if (headerLength < 6 || format > 1 || tracks == 0 || division == 0) return false;

  // Chunks after the last named track are never read, so they do not count.
  uint32_t tracksFound = 0;
  qsizetype pos = ChunkHeaderBytes;
  qsizetype length = headerLength;
  while (true) {
    if (size - pos < length) return false;
    pos += length;
    if (tracksFound == tracks) return true;
    if (size - pos < ChunkHeaderBytes) return false;
    if (data.mid(pos, 4) == "MTrk") ++tracksFound;
    length = BigEndian(bytes + pos + 4, 4);
    pos += ChunkHeaderBytes;
  }
}

}  // namespace platform
