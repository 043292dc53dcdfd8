#include <gtest/gtest.h>

#include <QFile>
#include <QHash>
#include <QInputMethodEvent>
#include <QTest>
#include <random>

#include "app/KanaTextBox.h"
#include "core/GameControl.h"
#include "core/InputMatching.h"
#include "core/MainLoop.h"
#include "game/GameState.h"
#include "game/Pictures.h"
#include "kana/RomajiTable.h"
#include "kana/SettingsMenus.h"
#include "media/BgmSwitch.h"
#include "support/GameFixture.h"
#include "support/GameInvariants.h"

namespace {

#ifdef KANACATCH_SANITIZE
// The sanitizers run the game code many times slower, and the address
// sanitizer holds up to 256 MB of freed memory back before reusing it: its
// leak check at the end watches for memory kept from game to game.
constexpr int SoakGames = 30;
constexpr int GamesBeforeMeasuring = 10;
constexpr long RssGrowthLimitKb = 300 * 1024;
#else
constexpr int SoakGames = 1000;
constexpr int GamesBeforeMeasuring = 100;
// What the process may gain between game 100 and the last game: far less
// than one string's worth of memory kept from each game.
constexpr long RssGrowthLimitKb = 1024;
#endif

long ResidentKb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
  }
  return -1;
}

// A spelling that types each kana string of the game, the shortest found.
const QHash<QString, QString>& Spellings() {
  static const QHash<QString, QString> spellings = [] {
    QHash<QString, QString> found;
    for (const RomajiRule& rule : RomajiRules()) {
      if (!rule.carry.isEmpty()) continue;
      const auto known = found.constFind(rule.kana);
      if (known == found.constEnd() || known->size() > rule.spelling.size()) {
        found.insert(rule.kana, rule.spelling);
      }
    }
    return found;
  }();
  return spellings;
}

// Games with random settings, played by a typist who types right and wrong
// strings as romaji and as input-method commits, presses Enter and
// Backspace, into the real text box, with the clock at random places
// (across the wrap points too) and advanced by random amounts.
class Soak : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    Game.CatchSoundPath = QStringLiteral("catch.wav");
    Game.MissSoundPath = QStringLiteral("miss.wav");
    box.onKeyUp = [](int keyCode) { Text1_KeyUp(keyCode, 0); };
    box.onCommit = [] { CheckInput(0); };
    platform::UseText1(&box);
  }
  void TearDown() override {
    platform::UseText1(nullptr);
    GameFixture::TearDown();
  }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(pick); }

  void ChooseSettings() {
    LessonCheck_Click(1 + Pick(11));
    SpeedCheck_Click(1 + Pick(3));
    MojiCount_Click(1 + Pick(3));
    if (Pick(4) == 0) BgmStop_Click();
    const uint32_t wraps[] = {0x80000000u, 0u, 0x10000u * static_cast<uint32_t>(Pick(0x10000))};
    clock.Set(wraps[Pick(3)] - static_cast<uint32_t>(Pick(120000)));
  }

  void Commit(const QString& text) {
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(&box, &commit);
  }

  void TypeSomething() {
    const QString carried = Game.HoleMoji[1 + Pick(HoleCount)];
    switch (Pick(20)) {
      case 0:
      case 1:
        Commit(carried);
        break;
      case 2:
        QTest::keyClicks(&box, Spellings().value(carried));
        break;
      case 3:
        Commit(Game.MojiTable[1 + Pick(MojiTableSize)]);
        break;
      case 4:
        QTest::keyClicks(&box, QStringLiteral("qkxn").left(1 + Pick(4)));
        break;
      case 5:
        QTest::keyClick(&box, Qt::Key_Return);
        break;
      case 6:
        QTest::keyClick(&box, Qt::Key_Backspace);
        break;
      default:
        break;  // the typist waits
    }
  }

  void ExpectInvariants(const platform::PassOutcome& outcome) const {
    ASSERT_NO_FATAL_FAILURE(ExpectGameInvariants());
    // The loop never sleeps past the next animation step.
    if (Game.GameRunning) {
      ASSERT_TRUE(outcome.nextDueIn.has_value());
      ASSERT_LE(*outcome.nextDueIn, StepIntervalMs + 1);
    }
  }

  void PlayOneGame() {
    ChooseSettings();
    music.commands.clear();
    sounds.requests.clear();
    Start_Click();
    int passes = 0;
    while (Game.GameRunning) {
      ASSERT_LT(++passes, 100000) << "the game never ended";
      clock.Advance(1 + Pick(250));
      const platform::PassOutcome outcome = MainLoopPass();
      ASSERT_NO_FATAL_FAILURE(ExpectInvariants(outcome));
      TypeSomething();
      ASSERT_NO_FATAL_FAILURE(ExpectInvariants(outcome));
    }
    ASSERT_EQ(Game.ShownCount, Game.MojiTotal);
    for (int h = 1; h <= HoleCount; ++h) ASSERT_EQ(Game.KobRect[h].Top, Game.RestY[h]);
    long catchSounds = 0;
    for (const SoundRecorder::Request& request : sounds.requests) {
      catchSounds += request.path == Game.CatchSoundPath;
    }
    ASSERT_EQ(catchSounds, Game.CatchCount) << "one catch sound for each catch";
    ASSERT_EQ(music.commands.back(), "stop");
  }

  KanaTextBox box;
  std::mt19937 pick{20240611};
};

}  // namespace

TEST_F(Soak, AThousandRandomGamesAllEndKeepTheirInvariantsAndDoNotGrow) {
  ASSERT_FALSE(Spellings().value(QStringLiteral("きゃ")).isEmpty());
  long measured = 0;
  int caught = 0;
  for (int game = 1; game <= SoakGames; ++game) {
    ASSERT_NO_FATAL_FAILURE(PlayOneGame()) << "game " << game;
    caught += Game.CatchCount;
    if (game == GamesBeforeMeasuring) measured = ResidentKb();
  }
  EXPECT_GT(caught, SoakGames) << "the typist catches critters";
  EXPECT_LT(ResidentKb() - measured, RssGrowthLimitKb);
}
