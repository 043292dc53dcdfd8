// The kana of the game: the lessons' strings, picking them and their
// colours, the romaji spellings, and the romaji hint printed under a
// rising critter's label.
#include <gtest/gtest.h>

#include <QPainter>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <map>

#include "platform/system/Services.h"
#include "romaji/KanaScript.h"
#include "romaji/RomajiTable.h"
#include "romaji/WordSpelling.h"
#include "rules/anim/KobbinMove.h"
#include "rules/kana/MojiPicking.h"
#include "rules/kana/MojiTable.h"
#include "rules/kana/PlayfieldTexts.h"
#include "rules/kana/SettingsMenus.h"
#include "rules/kana/WordLessons.h"
#include "rules/kana/WordList.h"
#include "state/GameState.h"
#include "state/Pictures.h"
#include "support/GameFixture.h"
#include "support/RomajiTyping.h"

namespace {

// A started game whose generator gives the draws the test chooses.
class Kana : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    platform::ChangeServices([&](platform::Services& s) { s.random = &draws; });
  }

  ScriptedRandom draws;
};

// Hole h's critter picture, at game pixels, once its label (and hint, if it
// has one) is printed on white.
QImage Ink(int h) {
  KobPicture[h].ImageToDrawIn().fill(Qt::white);
  DrawMoji(h, HoleLabelAnchor[h - 1].x, HoleLabelAnchor[h - 1].y);
  return KobPicture[h].Image().scaled(KobWidth, KobHeight).convertToFormat(QImage::Format_RGB32);
}

// Spellings of the game's strings that Mozc or Anthy takes; the box must too.
constexpr const char* InputMethodSpellings[] = {
    "てぃ t'i", "でぃ d'i",  "てゅ t'yu",  "でゅ d'yu",  "とぅ t'u", "どぅ d'u",   "ふぁ hwa",
    "ふぃ hwi", "ふぇ hwe",  "ふぉ hwo",   "ふゅ hwyu",  "づ dzu",   "ん n' n xn", "くぅ kwu",
    "い yi",    "う wu whu", "ぃ xyi lyi", "ぇ xye lye", "く qu",    "ふぃ fyi",   "ふぇ fye"};

// Spellings that Mozc or Anthy leaves as Latin letters ("qya" gives ｑや).
const QStringList RefusedByAnInputMethod =
    QStringLiteral(
        "qa qi qe qo qya qyu qyo qwu qwa qwi qwe qwo fwu gwi gwu gwe gwo swa swi swu "
        "swe swo twa twi twe two dwa dwi dwe dwo kwu hwu")
        .split(u' ');

}  // namespace

// Lessons 1 to 10, every entry in table order; lesson 11 is all of them.
// くょ comes twice in その他１, so it comes up twice as often there. Every
// pick draws once; the lowest and highest draws pick a lesson's ends.
TEST_F(Kana, EveryLessonHoldsExactlyItsEntriesAndTheEndDrawsPickItsEnds) {
  QStringList lessons;
  for (int lesson = 1; lesson <= LessonCount; ++lesson) {
    const QStringList entries = EntriesOf(lesson);
    if (lesson <= 10) lessons << entries.join(' ');
    Game.LessonNo = static_cast<int16_t>(lesson);
    draws.draws = {0.0f, std::nextafter(1.0f, 0.0f)};  // the ends of what a pick can choose
    for (const QString& end : {entries.first(), entries.last()}) {
      SelectMoji(2);
      EXPECT_EQ(Game.HoleMoji[2], end) << "lesson " << lesson;
    }
  }
  EXPECT_EQ(draws.drawn, 2 * LessonCount);
  EXPECT_EQ(
      lessons,
      QStringList(
          {"あ い う え お ぁ ぃ ぅ ぇ ぉ か き く け こ",
           "が ぎ ぐ げ ご きゃ きぃ きゅ きぇ きょ ぎゃ ぎぃ ぎゅ ぎぇ ぎょ くぁ くぃ くぇ くぉ",
           "さ し す せ そ ざ じ ず ぜ ぞ しゃ しぃ しゅ しぇ しょ じゃ じぃ じゅ じぇ じょ",
           "た ち つ て と だ ぢ づ で ど でゃ でぃ でゅ でぇ でょ ちゃ ちぃ ちゅ ちぇ ちょ",
           "ぢゃ ぢぃ ぢゅ ぢぇ ぢょ な に ぬ ね の にゃ にぃ にゅ にぇ にょ",
           "は ひ ふ へ ほ ば び ぶ べ ぼ ぱ ぴ ぷ ぺ ぽ ひゃ ひぃ ひゅ ひぇ ひょ",
           "ま み む め も みゃ みぃ みゅ みぇ みょ や ゆ いぇ よ",
           "ら り る れ ろ りゃ りぃ りゅ りぇ りょ わ を ん",
           "うぁ うぃ うぇ うぉ くゃ くゅ くょ くぅ くょ ぐぁ ぐぃ ぐぅ ぐぇ ぐぉ "
           "すぁ すぃ すぅ すぇ すぉ つぁ つぃ つぇ つぉ てゃ てぃ てゅ てぇ てょ",
           "とぁ とぃ とぅ とぇ とぉ どぁ どぃ どぅ どぇ どぉ "
           "ふゃ ふゅ ふょ ふぁ ふぃ ふぅ ふぇ ふぉ びゃ びぃ びゅ びぇ びょ ぴゃ ぴぃ ぴゅ ぴぇ "
           "ぴょ ゃ ゅ ょ"}));
  EXPECT_EQ(EntriesOf(11).join(' '), lessons.join(' '));
}

// In katakana 全行 and にがてな文字 make the same draws for the same entries
// and show each in katakana, its hint spelt from its hiragana; no two
// entries become one. Lesson 5 is entries 75 to 89.
TEST_F(Kana, InKatakanaTheSameDrawsGiveTheSameEntriesInKatakana) {
  Game.RomajiHint = true;
  for (const int lesson : {LessonCount, PracticeLessonNo}) {
    Game.LessonNo = static_cast<int16_t>(lesson);
    QStringList shown[2], hints[2];
    for (const bool katakana : {false, true}) {
      Game.Katakana = katakana;
      for (int k = 0; k < MojiTableSize; ++k) {
        draws.draws = {(k + 0.5f) / MojiTableSize};
        SelectMoji(1);
        shown[katakana] << Game.HoleMoji[1];
        hints[katakana] << Game.HoleHint[1];
      }
    }
    EXPECT_EQ(shown[0], EntriesOf(lesson));
    EXPECT_EQ(HiraganaOf(shown[1].join(' ')), shown[0].join(' ')) << lesson;
    EXPECT_EQ(hints[1], hints[0]) << lesson;
    EXPECT_EQ(shown[1].mid(74, 15).join(' ') + ' ' + shown[1][134] + ' ' + shown[1][142] + ' ' +
                  shown[1][144],
              QStringLiteral(
                  "ヂャ ヂィ ヂュ ヂェ ヂョ ナ ニ ヌ ネ ノ ニャ ニィ ニュ ニェ ニョ ヲ クョ クョ"));
    EXPECT_EQ(QSet<QString>(shown[1].begin(), shown[1].end()).size(), MojiTableSize - 1);
  }
  EXPECT_EQ(draws.drawn, 4 * MojiTableSize);
}

// A word lesson draws the words of its lengths from the table of the
// chosen script, each word from an equal share of the draws, one draw a
// word, and hints the romaji of the whole word.
TEST_F(Kana, AWordLessonDrawsEveryWordOfItsLengthsInTheChosenScriptAlike) {
  Game.RomajiHint = true;
  ReadShippedWordTables();
  int words = 0;
  for (const bool katakana : {false, true}) {
    Game.Katakana = katakana;
    const WordTable& table = katakana ? Game.KatakanaWords : Game.HiraganaWords;
    for (const auto& [lesson, lengths] : {std::pair{13, "2"}, {14, "3"}, {15, "45"}}) {
      Game.LessonNo = static_cast<int16_t>(lesson);
      QStringList expected, drawn;
      for (const Word& word : table.words)
        if (QString(lengths).contains(QString::number(word.kana.size()))) expected << word.kana;
      for (int k = 0; k < expected.size(); ++k, ++words) {
        draws.draws = {(k + 0.5f) / expected.size()};
        SelectMoji(3);
        drawn << Game.HoleMoji[3] + ' ' + Game.HoleHint[3];
        expected[k] += ' ' + WordSpelling(expected[k]);
      }
      EXPECT_EQ(drawn, expected) << "lesson " << lesson << (katakana ? " in katakana" : "");
    }
  }
  EXPECT_EQ(draws.drawn, words);
}

// The practice of weak words mixes the lengths: a word that begins another
// critter's word, or that such a word begins, gives way to the next in the
// table that does not (typing はなび would catch はな on the way). The hole's
// own last word and the same word elsewhere do not count.
TEST_F(Kana, ThePracticeOfWeakWordsSendsNoWordThatBeginsOrIsBegunByAWordUp) {
  ReadShippedWordTables();
  Game.LessonNo = WordPracticeLessonNo;
  const std::vector<const Word*> words = WordsOfLesson(WordPracticeLessonNo, KanaScript::Hiragana);
  const auto hanabi = std::find_if(words.begin(), words.end(),
                                   [](const Word* word) { return word->kana == "はなび"; });
  ASSERT_NE(hanabi, words.end());
  const float draw = (static_cast<float>(hanabi - words.begin()) + 0.5f) / words.size();
  const char* const cases[][3] = {{"", "", "はなび"},
                                  {"はな", "", "はやい"},
                                  {"はなびら", "", "はやい"},
                                  {"はなび", "", "はなび"},
                                  {"", "はな", "はなび"}};
  for (const auto& [elsewhere, own, shown] : cases) {
    Game.HoleMoji[1] = QString::fromUtf8(elsewhere);
    Game.HoleMoji[3] = QString::fromUtf8(own);
    draws.draws = {draw};
    SelectMoji(3);
    EXPECT_EQ(Game.HoleMoji[3], QString::fromUtf8(shown))
        << elsewhere << " up, " << own << " before";
  }
}

// A lone small kana of either script is printed as the first of a pair of
// it: at 25 points, 15 pixels further right.
TEST_F(Kana, ALoneSmallKanaOfEitherScriptIsPrintedAsTheFirstOfAPair) {
  // Where the label's ink begins, `right` pixels further right, and its height.
  const auto inkPlace = [](const QString& moji, int right) {
    Game.HoleMoji[1] = moji;
    const QImage ink = Ink(1);
    QRect box;
    for (int y = 0; y < ink.height(); ++y)
      for (int x = 0; x < ink.width(); ++x)
        if (ink.pixel(x, y) != qRgb(255, 255, 255)) box |= QRect(x, y, 1, 1);
    return QString::asprintf("ink from (%d, %d), %d high", box.left() + right, box.top(),
                             box.height());
  };
  for (const QString small : QStringLiteral("ぁょァィゥェォャュョ"))
    EXPECT_EQ(inkPlace(small, 0), inkPlace(small + small, 15)) << small.toStdString() << " alone";
}

// Every string of the table in every hole, over a critter shaped like one
// that holds a placard out at its left: the hint's ink, outline and all,
// lies on the critter, in the rows that show when it is fully up, and
// apart from the label's ink.
TEST_F(Kana, TheHintLiesOnTheCritterApartFromTheLabel) {
  QImage mask(KobWidth, KobHeight, QImage::Format_Grayscale8);
  mask.fill(Qt::white);
  QPainter(&mask).fillRect(0, 54, 75, 54, Qt::black);
  QPainter(&mask).fillRect(20, 0, KobWidth - 20, KobHeight, Qt::black);
  // At 2 the mask is of a screen of ratio 2.
  for (int k = 1; k <= 8; ++k) Game.KobMaskImage[k] = mask.scaled(mask.size() * (k % 2 + 1));
  for (int h = 1; h <= HoleCount; ++h) {
    KobPicture[h].ForeColor = QColor(200, 200, 120);
    for (int k = 1; k <= MojiTableSize; ++k) {
      Game.HoleMoji[h] = Game.MojiTable[k];
      Game.HoleHint[h].clear();
      const QImage label = Ink(h);
      Game.HoleHint[h] = FirstSpelling(Game.HoleMoji[h]);
      const QImage both = Ink(h);
      for (int y = 0; y < KobHeight; ++y)
        for (int x = 0; x < KobWidth; ++x) {
          if (both.pixel(x, y) == label.pixel(x, y)) continue;
          const std::string at =
              TraceLine(Game.HoleHint[h], Game.HoleMoji[h], "in hole", h, "at", x, y).toStdString();
          ASSERT_LT(qGray(mask.pixel(x, y)), 128) << "off the critter: " << at;
          ASSERT_LT(y, Game.RestY[h] - Game.PeakY[h]) << "below the ground: " << at;
          ASSERT_EQ(label.pixel(x, y), qRgb(255, 255, 255)) << "on the label: " << at;
        }
    }
  }
}

// Switched on or off, the hint changes from the next rise: the spelling is
// taken with the string.
TEST_F(Kana, TheHintIsOffAtFirstAndSwitchesFromTheNextRise) {
  bool before = false;
  for (const bool on : {false, true, false}) {
    if (on != Game.RomajiHint) RomajiHint_Click();
    EXPECT_EQ(Game.HoleHint[1].isEmpty(), !before) << "the critter already up keeps its own";
    SelectMoji(1);
    EXPECT_EQ(Game.HoleHint[1], on ? FirstSpelling(Game.HoleMoji[1]) : QString());
    before = on;
  }
}

// Every shown spelling of each game string gives it ("+" joins parts typed
// one after the other), and the first, the one to learn, works in every
// common input method.
TEST(RomajiSpellings, EachGivesItsKanaAndTheFirstShownWorksInEveryInputMethod) {
  MakeMojiTable();
  for (int k = 1; k <= MojiTableSize; ++k) {
    const QString& moji = Game.MojiTable[k];
    const QStringList spellings = ShownSpellings(moji);
    ASSERT_FALSE(spellings.isEmpty()) << moji.toStdString();
    for (const QString& part : spellings.first().split(u'+'))
      EXPECT_FALSE(RefusedByAnInputMethod.contains(part)) << part.toStdString();
    for (const QString& spelling : spellings) {
      const RomajiComposer box = Typed(QString(spelling).remove(u'+'));
      EXPECT_EQ(box.Text() + box.Pending(), moji) << spelling.toStdString();
    }
  }
  for (const char* line : InputMethodSpellings) {
    QStringList words = QString::fromUtf8(line).split(u' ');
    const QString moji = words.takeFirst();
    for (const QString& spelling : words)
      EXPECT_EQ(Typed(spelling + "\n").Text(), moji) << spelling.toStdString();
  }
}
