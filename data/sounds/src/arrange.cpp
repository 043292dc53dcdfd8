#include "arrange.h"

#include <algorithm>
#include <cstdint>

namespace kanasounds {

namespace {

constexpr int kBeat = kTicksPerQuarter;

// Lowest note of each part's range.
constexpr int kBassLow = 28;         // E1, the open E string
constexpr int kGuitarBassLow = 40;   // E2
constexpr int kGuitarStrumLow = 52;  // E3: the strum sits on the top strings
constexpr int kBanjoLow = 55;        // G3, the open G string

// The banjo's rolls, as indexes into a four-note chord voicing (0 lowest):
// a forward roll, then a forward-reverse roll, bar by bar.
constexpr int kRolls[2][kEighthsPerBar] = {{1, 2, 3, 0, 2, 3, 0, 3}, {0, 2, 3, 2, 0, 3, 2, 1}};

// A small fixed-seed generator so that every build writes the same file.
class Jitter {
 public:
  explicit Jitter(bool on) : on_(on) {}
  int operator()(int spread) {
    if (!on_ || spread == 0) return 0;
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<int>(state_ % static_cast<std::uint32_t>(2 * spread + 1)) - spread;
  }

 private:
  bool on_;
  std::uint32_t state_ = 0x6d796121;
};

class Arranger {
 public:
  Arranger(const Tune& tune, bool humanise) : tune_(tune), jitter_(humanise) {}

  std::vector<Part> run() {
    std::vector<Part> parts;
    for (Role role : kRoles) {
      Part part{role, static_cast<int>(parts.size()), tune_.mix(role), {}};
      for (std::size_t b = 0; b < tune_.bars.size(); ++b) addBar(part, b);
      std::sort(part.notes.begin(), part.notes.end(),
                [](const NoteEvent& a, const NoteEvent& b) { return a.start < b.start; });
      parts.push_back(std::move(part));
    }
    return parts;
  }

 private:
  void add(Part& part, int start, int length, int pitch, int accent, int timing = 6) {
    const int at = std::max(0, start + jitter_(timing));
    const int velocity = std::clamp(part.mix.velocity + accent + jitter_(4), 1, 127);
    part.notes.push_back({at, length, pitch, velocity});
  }

  void addBar(Part& part, std::size_t index) {
    const Bar& bar = tune_.bars[index];
    const int at = static_cast<int>(index) * kTicksPerBar;
    const Bar* next = index + 1 < tune_.bars.size() ? &tune_.bars[index + 1] : nullptr;
    switch (part.role) {
      case Role::Fiddle:
        fiddle(part, bar, at);
        break;
      case Role::Banjo:
        banjo(part, bar, at, index);
        break;
      case Role::Guitar:
        guitar(part, bar, at);
        break;
      case Role::Bass:
        bass(part, bar, at, next);
        break;
    }
  }

  void fiddle(Part& part, const Bar& bar, int at) {
    for (const MelodyNote& n : bar.melody) {
      // Lean on beats one and three, lighter on the off-beat eighths.
      const int accent = n.start % (2 * kBeat) == 0 ? 5 : n.start % kBeat != 0 ? -4 : 0;
      add(part, at + n.start, n.length - 24, n.pitch, accent, 4);
    }
  }

  void banjo(Part& part, const Bar& bar, int at, std::size_t index) {
    if (bar.style == Style::Hold) {
      // A quick upward pinch of the chord, left ringing.
      const std::vector<int> v = voicing(bar.chords[0], kBanjoLow, 4);
      for (int i = 0; i < 4; ++i) add(part, at + i * 30, 3 * kBeat - i * 30, v[i], 4, 0);
      return;
    }
    const int* roll = kRolls[index % 2];
    for (int i = 0; i < kEighthsPerBar; ++i) {
      const int t = i * kTicksPerEighth;
      const std::vector<int> v = voicing(bar.chordAt(t), kBanjoLow, 4);
      // Accents on a 3-3-2 grouping give the roll its drive.
      const int accent = (i == 0 || i == 3 || i == 6) ? 8 : 0;
      add(part, at + t, kTicksPerEighth - 20, v[roll[i]], accent, 5);
    }
  }

  void guitar(Part& part, const Bar& bar, int at) {
    if (bar.style == Style::Hold) {
      strum(part, bar.chords[0], at, 3 * kBeat, 30, 6);
      return;
    }
    for (int beat = 0; beat < 4; ++beat) {
      const int t = at + beat * kBeat;
      const Chord& chord = bar.chordAt(beat * kBeat);
      if (beat % 2 == 1) {
        strum(part, chord, t, kBeat / 2, 12, -6);  // the "chick"
        continue;
      }
      // The "boom": the root, then the fifth unless the chord has just changed.
      const int root = pitchAtOrAbove(chord.root, kGuitarBassLow);
      const bool changed = beat == 2 && &chord != &bar.chordAt(0);
      const int pitch = beat == 0 || changed ? root : fifthBelowOrAbove(root, kGuitarBassLow);
      add(part, t, kBeat - 60, pitch, 4);
    }
  }

  void strum(Part& part, const Chord& chord, int at, int length, int spread, int accent) {
    const std::vector<int> v = voicing(chord, kGuitarStrumLow, 4);
    for (std::size_t i = 0; i < v.size(); ++i) {
      const int offset = static_cast<int>(i) * spread;
      add(part, at + offset, length - offset, v[i], accent - static_cast<int>(i) * 2, 3);
    }
  }

  void bass(Part& part, const Bar& bar, int at, const Bar* next) {
    const Chord& first = bar.chords.front();
    const int root = pitchAtOrAbove(first.root, kBassLow);
    if (bar.style == Style::Hold) {
      add(part, at, 3 * kBeat, root, 6, 0);
      return;
    }
    add(part, at, kBeat - 40, root, 6);
    const Chord& third = bar.chordAt(2 * kBeat);
    const int onThree =
        &third != &first ? pitchAtOrAbove(third.root, kBassLow) : fifthBelowOrAbove(root, kBassLow);
    add(part, at + 2 * kBeat, kBeat - 40, onThree, 0);
    // Walk into a new chord from the scale step below its root.
    if (next && next->chords.front().root != bar.chords.back().root) {
      const int target = pitchAtOrAbove(next->chords.front().root, kBassLow);
      int step = target - 1;
      while (!tune_.inKey(step)) --step;
      if (step < kBassLow)  // no room below: come down from the step above instead
        for (step = target + 1; !tune_.inKey(step);) ++step;
      add(part, at + 3 * kBeat, kBeat - 40, step, -4);
    }
  }

  static int fifthBelowOrAbove(int root, int low) { return root - 5 >= low ? root - 5 : root + 7; }

  const Tune& tune_;
  Jitter jitter_;
};

}  // namespace

int pitchAtOrAbove(int pc, int low) { return low + ((pc - low) % 12 + 12) % 12; }

std::vector<int> voicing(const Chord& chord, int low, int count) {
  std::vector<int> notes;
  for (int pitch = low; static_cast<int>(notes.size()) < count; ++pitch)
    if (chord.contains(pitch)) notes.push_back(pitch);
  return notes;
}

std::vector<Part> arrange(const Tune& tune, bool humanise) {
  return Arranger(tune, humanise).run();
}

}  // namespace kanasounds
