#include "smf.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>

namespace kanasounds {

namespace {

using Bytes = std::vector<std::uint8_t>;

// One track's events in time order; each event is written with the delta
// time from the one before it.
class TrackWriter {
 public:
  void event(int tick, std::initializer_list<std::uint8_t> bytes) {
    deltaTo(tick);
    data_.insert(data_.end(), bytes);
  }

  void meta(int tick, std::uint8_t type, const Bytes& payload) {
    deltaTo(tick);
    data_.push_back(0xFF);
    data_.push_back(type);
    quantity(static_cast<std::uint32_t>(payload.size()));
    data_.insert(data_.end(), payload.begin(), payload.end());
  }

  void text(int tick, std::uint8_t type, const std::string& s) {
    meta(tick, type, Bytes(s.begin(), s.end()));
  }

  // Closes the track and appends it, with its chunk header, to `file`.
  void finish(int tick, Bytes& file) {
    meta(std::max(tick, last_), 0x2F, {});
    const std::uint32_t size = static_cast<std::uint32_t>(data_.size());
    file.insert(file.end(),
                {'M', 'T', 'r', 'k', static_cast<std::uint8_t>(size >> 24),
                 static_cast<std::uint8_t>(size >> 16), static_cast<std::uint8_t>(size >> 8),
                 static_cast<std::uint8_t>(size)});
    file.insert(file.end(), data_.begin(), data_.end());
  }

 private:
  void deltaTo(int tick) {
    if (tick < last_) throw std::logic_error("MIDI events out of order");
    quantity(static_cast<std::uint32_t>(tick - last_));
    last_ = tick;
  }

  // A variable-length quantity: seven bits a byte, high bit set on all but the last.
  void quantity(std::uint32_t value) {
    std::uint8_t groups[5];
    int n = 0;
    do {
      groups[n++] = value & 0x7F;
      value >>= 7;
    } while (value);
    while (n-- > 0) data_.push_back(groups[n] | (n > 0 ? 0x80 : 0x00));
  }

  Bytes data_;
  int last_ = 0;
};

// A note that starts while the same key still sounds would be cut short by
// the earlier note's note-off, so the earlier note is ended first.
std::vector<NoteEvent> withoutOverlaps(std::vector<NoteEvent> notes) {
  std::stable_sort(notes.begin(), notes.end(), [](const NoteEvent& a, const NoteEvent& b) {
    return a.pitch != b.pitch ? a.pitch < b.pitch : a.start < b.start;
  });
  for (std::size_t i = 0; i + 1 < notes.size(); ++i)
    if (notes[i].pitch == notes[i + 1].pitch &&
        notes[i].start + notes[i].length > notes[i + 1].start)
      notes[i].length = notes[i + 1].start - notes[i].start;
  std::erase_if(notes, [](const NoteEvent& n) { return n.length <= 0; });
  return notes;
}

int keySignatureSharps(int keyRoot) {
  const int sharps = keyRoot * 7 % 12;  // each step round the circle of fifths adds a sharp
  return sharps > 6 ? sharps - 12 : sharps;
}

}  // namespace

Bytes encodeSmf(const Tune& tune, const std::vector<Part>& parts) {
  const int end = static_cast<int>(tune.bars.size()) * kTicksPerBar;
  Bytes file = {'M',
                'T',
                'h',
                'd',
                0,
                0,
                0,
                6,
                0,
                1,
                0,
                static_cast<std::uint8_t>(parts.size() + 1),
                kTicksPerQuarter >> 8,
                kTicksPerQuarter & 0xFF};

  TrackWriter tempo;
  tempo.text(0, 0x03, tune.title);
  tempo.meta(0, 0x58, {4, 2, 24, 8});  // 4/4, a click every quarter
  tempo.meta(0, 0x59, {static_cast<std::uint8_t>(keySignatureSharps(tune.keyRoot)), 0});
  const std::uint32_t microsPerQuarter = 60'000'000 / tune.tempo;
  tempo.meta(0, 0x51,
             {static_cast<std::uint8_t>(microsPerQuarter >> 16),
              static_cast<std::uint8_t>(microsPerQuarter >> 8),
              static_cast<std::uint8_t>(microsPerQuarter)});
  tempo.finish(end, file);

  for (const Part& part : parts) {
    TrackWriter track;
    const std::uint8_t ch = static_cast<std::uint8_t>(part.channel);
    track.text(0, 0x03, roleName(part.role));
    track.event(
        0, {static_cast<std::uint8_t>(0xC0 | ch), static_cast<std::uint8_t>(part.mix.program)});
    track.event(
        0, {static_cast<std::uint8_t>(0xB0 | ch), 7, static_cast<std::uint8_t>(part.mix.volume)});
    track.event(
        0, {static_cast<std::uint8_t>(0xB0 | ch), 10, static_cast<std::uint8_t>(part.mix.pan)});
    track.event(0, {static_cast<std::uint8_t>(0xB0 | ch), 91, 40});  // a little reverb

    // Note-offs sort before note-ons at the same tick.
    std::multimap<std::pair<int, int>, std::pair<int, int>>
        events;  // (tick, on?) -> (key, velocity)
    for (const NoteEvent& n : withoutOverlaps(part.notes)) {
      events.insert({{n.start, 1}, {n.pitch, n.velocity}});
      events.insert({{n.start + n.length, 0}, {n.pitch, 0}});
    }
    for (const auto& [when, note] : events) {
      const std::uint8_t status = static_cast<std::uint8_t>((when.second ? 0x90 : 0x80) | ch);
      track.event(when.first, {status, static_cast<std::uint8_t>(note.first),
                               static_cast<std::uint8_t>(when.second ? note.second : 64)});
    }
    track.finish(end, file);
  }
  return file;
}

void writeSmf(const std::filesystem::path& path, const Tune& tune, const std::vector<Part>& parts) {
  const Bytes bytes = encodeSmf(tune, parts);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace kanasounds
