#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "arrange.h"
#include "tune.h"

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

TEST(TuneText, ReadsPitchesWithAccidentalsAndOctaves) {
  EXPECT_EQ(parsePitch("C4"), 60);
  EXPECT_EQ(parsePitch("F#5"), 78);
  EXPECT_EQ(parsePitch("Bb3"), 58);
  EXPECT_EQ(parsePitch("Cb4"), 59);  // B3: the flat takes C down into the octave below
  EXPECT_EQ(parsePitch("B#3"), 60);
  for (const char* bad : {"H4", "C", "C#", "c4", "C44"})
    EXPECT_THROW(parsePitch(bad), std::invalid_argument) << bad;
}

TEST(TuneText, LaysOutSectionsInPlayingOrderWithNoteTimes) {
  const Tune tune = parse(std::string(kParts) +
                          "section A\nchords | G | C D |\nfiddle | G4q. A4e rh | B4w |\n"
                          "section end hold\nchords | G |\nfiddle | G4h. rq |\n"
                          "play A A end\n");
  ASSERT_EQ(tune.bars.size(), 5u);
  EXPECT_EQ(tune.tempo, 120);
  EXPECT_EQ(tune.keyRoot, 7);
  EXPECT_EQ(tune.mix(Role::Banjo).program, 105);  // written 1-based, kept 0-based
  const Bar& first = tune.bars[0];
  ASSERT_EQ(first.melody.size(), 2u);  // the rest makes no note
  EXPECT_EQ(first.melody[0].pitch, 67);
  EXPECT_EQ(first.melody[0].length, 3 * kTicksPerEighth);
  EXPECT_EQ(first.melody[1].start, 3 * kTicksPerEighth);
  EXPECT_EQ(tune.bars[1].chordAt(0).name, "C");
  EXPECT_EQ(tune.bars[1].chordAt(kTicksPerBar / 2).name, "D");
  EXPECT_EQ(tune.bars[2].melody[0].pitch, 67);  // A again
  EXPECT_EQ(tune.bars[4].style, Style::Hold);
}

TEST(TuneText, ReportsFaultsWithTheirLine) {
  const std::string section = "section A\nchords | G |\n";
  struct Case {
    std::string text;
    int line;
    std::string says;
  } cases[] = {
      {section + "fiddle | G4q A4q B4q |\nplay A\n", 9, "lasts 6 eighths"},
      {"section A\nchords | G | Hm |\n", 2, "Hm"},
      {section + "fiddle | G4w | G4w |\nplay A\n", 7, "1 bars of chords but 2"},
      {section + "fiddle | G4w |\nplay A B\n", 10, "no section \"B\""},
      {section + "fiddle | G4x |\n", 9, "G4x"},
      {section + "fiddle | G4w || G4w |\n", 9, "empty bar"},
      {"part banjo program 0\n", 1, "from 1 to 128"},
  };
  for (const Case& c : cases) {
    try {
      parse(c.line > 6 ? kParts + c.text : c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const TuneError& e) {
      EXPECT_EQ(e.line(), c.line) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
    }
  }
  EXPECT_THROW(parse("tempo 120\nkey G\nsection A\nchords | G |\nfiddle | G4w |\nplay A\n"),
               TuneError);  // no part settings
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
  // Boom-chick: bass notes on beats one and three, chord strums on two and four.
  for (const NoteEvent& n : parts[static_cast<int>(Role::Guitar)].notes) {
    if (n.start >= 4 * kTicksPerBar) break;
    const bool onBoom = (n.start % kTicksPerBar) / kTicksPerQuarter % 2 == 0;
    EXPECT_EQ(n.pitch < 52, onBoom) << "at tick " << n.start;
  }
  // Nothing sounds past the bar it belongs to, including the held last chord.
  for (const Part& part : parts)
    for (const NoteEvent& n : part.notes)
      EXPECT_LE(n.start + n.length, (n.start / kTicksPerBar + 1) * kTicksPerBar) << roleName(part.role);
}

TEST(Arrangement, TheTunesMelodyFitsItsChordsOnTheStrongBeats) {
  std::ifstream in(SOUNDS_TUNE);
  const Tune tune = parseTune(in);
  for (std::size_t b = 0; b < tune.bars.size(); ++b)
    for (const MelodyNote& n : tune.bars[b].melody) {
      EXPECT_TRUE(tune.inKey(n.pitch)) << "bar " << b + 1 << " pitch " << n.pitch;
      if (n.start % (2 * kTicksPerQuarter) != 0) continue;
      EXPECT_TRUE(tune.bars[b].chordAt(n.start).contains(n.pitch))
          << "bar " << b + 1 << ": " << n.pitch << " against " << tune.bars[b].chordAt(n.start).name;
    }
}

}  // namespace
}  // namespace kanasounds
