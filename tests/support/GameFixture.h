#pragma once
#include <gtest/gtest.h>

#include <QString>
#include <QTextStream>

#include "support/TestDoubles.h"

// A started program without windows: default settings, hole rectangles and
// the kana table, with the test clock, a music recorder and a sound recorder
// installed and the generator back at its starting state.
class GameFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs main loop passes, advancing the clock by `msPerPass` before each,
  // until `done` holds or `maxPasses` ran.
  template <typename Done>
  void RunPassesUntil(Done done, uint32_t msPerPass = 1, int maxPasses = 2000000) {
    for (int passes = 0; !done() && passes < maxPasses; ++passes) Pass(msPerPass);
  }

  // Advances the clock by `ms` and runs one main loop pass.
  void Pass(uint32_t ms = 1);

  // Puts hole h's critter `rows` pixels out of its hole, carrying `moji`.
  static void Raise(int h, const QString& moji, int rows = 100);

  TestClock clock;
  MusicRecorder music;
  SoundRecorder sounds;
};

// Puts the word tables the game ships where start-up puts those it reads.
void ReadShippedWordTables();

// The entries of lesson `lessonNo`'s slice of the kana table, in table order.
QStringList EntriesOf(int lessonNo);

// The parts written one after another with a space between them, for
// traces that a test compares with the ones it expects.
template <typename... Parts>
QString TraceLine(const Parts&... parts) {
  QString line;
  QTextStream out(&line);
  ((out << parts << ' '), ...);
  return line.trimmed();
}
