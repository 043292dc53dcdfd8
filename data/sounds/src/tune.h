// The background tune as written in tune.txt: a chord chart and a fiddle
// line per section, the order the sections are played in, and the mix of
// the four parts.
#pragma once

#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace kanasounds {

constexpr int kTicksPerQuarter = 480;
constexpr int kTicksPerEighth = kTicksPerQuarter / 2;
constexpr int kEighthsPerBar = 8;  // the tune is in 4/4
constexpr int kTicksPerBar = kTicksPerEighth * kEighthsPerBar;

// A fault in tune.txt, with the line it was found on (0: the file as a whole).
class TuneError : public std::runtime_error {
 public:
  TuneError(int line, const std::string& what);
  int line() const { return line_; }

 private:
  int line_;
};

struct Chord {
  std::string name;
  int root = 0;                // pitch class, C = 0
  std::vector<int> intervals;  // semitones above the root, 0 first

  bool contains(int pitch) const;
};

struct MelodyNote {
  int pitch = 0;   // MIDI key number, C4 = 60
  int start = 0;   // ticks from the start of the bar
  int length = 0;  // ticks
};

// "play": the band plays its patterns; "hold": one chord struck and held,
// for the last bar.
enum class Style { Play, Hold };

struct Bar {
  std::vector<Chord> chords;  // one or two, sharing the bar evenly
  std::vector<MelodyNote> melody;
  Style style = Style::Play;

  // The chord sounding at a tick inside the bar.
  const Chord& chordAt(int tick) const;
};

enum class Role { Fiddle, Banjo, Guitar, Bass };
constexpr Role kRoles[] = {Role::Fiddle, Role::Banjo, Role::Guitar, Role::Bass};
const char* roleName(Role role);

struct PartMix {
  int program = 0;    // General MIDI program, zero-based
  int volume = 100;   // channel volume, 0-127
  int pan = 64;       // 0 left, 64 centre, 127 right
  int velocity = 80;  // the part's base note velocity
};

struct Tune {
  std::string title;
  int tempo = 0;          // quarter notes per minute
  int keyRoot = 0;        // pitch class of the (major) key
  PartMix parts[4];       // indexed by Role
  std::vector<Bar> bars;  // in playing order

  const PartMix& mix(Role role) const { return parts[static_cast<int>(role)]; }
  // Whether a pitch belongs to the major scale of the key.
  bool inKey(int pitch) const;
};

int parsePitch(const std::string& text);    // "F#5" -> 78; throws std::invalid_argument
Chord parseChord(const std::string& text);  // "Em", "D7"; throws std::invalid_argument
Tune parseTune(std::istream& in);           // throws TuneError

}  // namespace kanasounds
