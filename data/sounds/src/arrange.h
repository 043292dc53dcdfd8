// Turns the tune into the notes of the four parts: the fiddle plays the
// melody, the banjo rolls through the chords, the guitar plays boom-chick
// and the bass plays root and fifth with walks into chord changes.
#pragma once

#include <vector>

#include "tune.h"

namespace kanasounds {

struct NoteEvent {
  int start = 0;   // ticks from the start of the tune
  int length = 0;  // ticks
  int pitch = 0;
  int velocity = 0;
};

struct Part {
  Role role = Role::Fiddle;
  int channel = 0;
  PartMix mix;
  std::vector<NoteEvent> notes;  // sorted by start
};

// Lowest pitch at or above `low` whose pitch class is `pc`.
int pitchAtOrAbove(int pc, int low);
// The `count` lowest chord tones at or above `low`, ascending.
std::vector<int> voicing(const Chord& chord, int low, int count);

// All four parts, fiddle first. `humanise` nudges timing and velocity by a
// few ticks and steps (the same way on every run).
std::vector<Part> arrange(const Tune& tune, bool humanise = true);

}  // namespace kanasounds
