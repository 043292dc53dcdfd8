#include "tune.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "arrange.h"

namespace kanasounds {
namespace {

constexpr const char* kParts =
    "tempo 120\nkey G\n"
    "part fiddle program 111\npart banjo program 106\n"
    "part guitar program 26\npart bass program 33\n";

Tune parse(const std::string& text) {
  std::istringstream in(text);
  return parseTune(in);
}

TEST(Arrangement, BandPlaysOnlyTheChordItsBarCalls) {
  // Humanising is off so that every note stays inside its own beat.
  const Tune tune = parse(std::string(kParts) +
                          "section A\nchords | G | Em | C D7 | G |\n"
                          "fiddle | G4w | E4w | C5h D5h | G4w |\n"
                          "section end hold\nchords | G |\nfiddle | G4w |\n"
                          "play A end\n");
  const std::vector<Part> parts = arrange(tune, false);
  ASSERT_EQ(parts.size(), 4u);
  for (const Part& part : parts) {
    EXPECT_EQ(part.channel, static_cast<int>(part.role)) << roleName(part.role);
    ASSERT_FALSE(part.notes.empty()) << roleName(part.role);
    for (const NoteEvent& n : part.notes) {
      const Bar& bar = tune.bars[n.start / kTicksPerBar];
      const int inBar = n.start % kTicksPerBar;
      // The bass walks into the next chord on beat four; everything else is a chord tone.
      if (part.role == Role::Bass && inBar >= 3 * kTicksPerQuarter) {
        EXPECT_TRUE(tune.inKey(n.pitch)) << n.pitch;
        continue;
      }
      EXPECT_TRUE(bar.chordAt(inBar).contains(n.pitch))
          << roleName(part.role) << " plays " << n.pitch << " over " << bar.chordAt(inBar).name;
    }
  }
  // Nothing sounds past the bar it belongs to, including the held last chord.
  for (const Part& part : parts)
    for (const NoteEvent& n : part.notes)
      EXPECT_LE(n.start + n.length, (n.start / kTicksPerBar + 1) * kTicksPerBar)
          << roleName(part.role);
}

TEST(Arrangement, TheTunesMelodyFitsItsChordsOnTheStrongBeats) {
  std::ifstream in(SOUNDS_TUNE);
  const Tune tune = parseTune(in);
  for (std::size_t b = 0; b < tune.bars.size(); ++b)
    for (const MelodyNote& n : tune.bars[b].melody) {
      EXPECT_TRUE(tune.inKey(n.pitch)) << "bar " << b + 1 << " pitch " << n.pitch;
      if (n.start % (2 * kTicksPerQuarter) != 0) continue;
      EXPECT_TRUE(tune.bars[b].chordAt(n.start).contains(n.pitch))
          << "bar " << b + 1 << ": " << n.pitch << " against "
          << tune.bars[b].chordAt(n.start).name;
    }
}

}  // namespace
}  // namespace kanasounds
