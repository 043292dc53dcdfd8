#include <gtest/gtest.h>

#include <QFile>
#include <map>

#include "core/GameState.h"
#include "kana/MojiTable.h"
#include "kana/RomajiInput.h"
#include "kana/RomajiTable.h"

namespace {

// Feeds `keys` to a fresh composer: "\b" stands for Backspace and "\n" for
// Enter, every other character is typed.
RomajiComposer Typed(const QString& keys) {
  RomajiComposer box;
  for (const QChar key : keys) {
    if (key == u'\b') {
      box.Backspace();
    } else if (key == u'\n') {
      box.CommitAtEnter();
    } else {
      box.Type(key);
    }
  }
  return box;
}

// Every string of the kana table, in table order, with each spelling a player
// may use for it. ん is also a lone "n" at Enter, tested on its own below.
constexpr const char* MojiSpellings[] = {
    // Lessons 1 to 4: あ行, か行, さ行, た行
    "あ a", "い i yi", "う u wu whu", "え e", "お o", "ぁ xa la", "ぃ xi li xyi lyi", "ぅ xu lu",
    "ぇ xe le xye lye", "ぉ xo lo", "か ka ca", "き ki", "く ku cu qu", "け ke", "こ ko co",
    "が ga", "ぎ gi", "ぐ gu", "げ ge", "ご go", "きゃ kya", "きぃ kyi", "きゅ kyu", "きぇ kye",
    "きょ kyo", "ぎゃ gya", "ぎぃ gyi", "ぎゅ gyu", "ぎぇ gye", "ぎょ gyo", "くぁ qa kwa qwa",
    "くぃ qi kwi qwi qyi", "くぇ qe kwe qwe qye", "くぉ qo kwo qwo", "さ sa", "し shi si ci",
    "す su", "せ se ce", "そ so", "ざ za", "じ ji zi", "ず zu", "ぜ ze", "ぞ zo", "しゃ sha sya",
    "しぃ syi", "しゅ shu syu", "しぇ she sye", "しょ sho syo", "じゃ ja jya zya", "じぃ jyi zyi",
    "じゅ ju jyu zyu", "じぇ je jye zye", "じょ jo jyo zyo", "た ta", "ち chi ti", "つ tsu tu",
    "て te", "と to", "だ da", "ぢ di", "づ du", "で de", "ど do", "でゃ dha", "でぃ dhi",
    "でゅ dhu", "でぇ dhe", "でょ dho", "ちゃ cha tya cya", "ちぃ tyi cyi", "ちゅ chu tyu cyu",
    "ちぇ che tye cye", "ちょ cho tyo cyo",
    // Lessons 5 to 8: な行, は行, ま行, や行, ら行, わ行, ん
    "ぢゃ dya", "ぢぃ dyi", "ぢゅ dyu", "ぢぇ dye", "ぢょ dyo", "な na", "に ni", "ぬ nu", "ね ne",
    "の no", "にゃ nya", "にぃ nyi", "にゅ nyu", "にぇ nye", "にょ nyo", "は ha", "ひ hi",
    "ふ fu hu", "へ he", "ほ ho", "ば ba", "び bi", "ぶ bu", "べ be", "ぼ bo", "ぱ pa", "ぴ pi",
    "ぷ pu", "ぺ pe", "ぽ po", "ひゃ hya", "ひぃ hyi", "ひゅ hyu", "ひぇ hye", "ひょ hyo", "ま ma",
    "み mi", "む mu", "め me", "も mo", "みゃ mya", "みぃ myi", "みゅ myu", "みぇ mye", "みょ myo",
    "や ya", "ゆ yu", "いぇ ye", "よ yo", "ら ra", "り ri", "る ru", "れ re", "ろ ro", "りゃ rya",
    "りぃ ryi", "りゅ ryu", "りぇ rye", "りょ ryo", "わ wa", "を wo", "ん nn n' xn",
    // Lessons 9 and 10: the other combinations, and the small ゃゅょ
    "うぁ wha", "うぃ whi wi", "うぇ whe we", "うぉ who", "くゃ qya", "くゅ qyu", "くょ qyo",
    "くぅ qwu kwu", "ぐぁ gwa", "ぐぃ gwi", "ぐぅ gwu", "ぐぇ gwe", "ぐぉ gwo", "すぁ swa",
    "すぃ swi", "すぅ swu", "すぇ swe", "すぉ swo", "つぁ tsa", "つぃ tsi", "つぇ tse", "つぉ tso",
    "てゃ tha", "てぃ thi", "てゅ thu", "てぇ the", "てょ tho", "とぁ twa", "とぃ twi", "とぅ twu",
    "とぇ twe", "とぉ two", "どぁ dwa", "どぃ dwi", "どぅ dwu", "どぇ dwe", "どぉ dwo", "ふゃ fya",
    "ふゅ fyu", "ふょ fyo", "ふぁ fa fwa", "ふぃ fi fwi fyi", "ふぅ fwu", "ふぇ fe fwe fye",
    "ふぉ fo fwo", "びゃ bya", "びぃ byi", "びゅ byu", "びぇ bye", "びょ byo", "ぴゃ pya",
    "ぴぃ pyi", "ぴゅ pyu", "ぴぇ pye", "ぴょ pyo", "ゃ xya lya", "ゅ xyu lyu", "ょ xyo lyo"};

const std::map<QString, QStringList>& SpellingsOfMoji() {
  static const std::map<QString, QStringList> spellings = [] {
    std::map<QString, QStringList> byMoji;
    for (const char* row : MojiSpellings) {
      QStringList words = QString::fromUtf8(row).split(u' ');
      const QString moji = words.takeFirst();
      byMoji[moji] = words;
    }
    return byMoji;
  }();
  return spellings;
}

// One typed sequence and what the box then holds.
struct Case {
  const char* keys;
  const char* text;
  const char* pending;
};

void ExpectCases(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    const RomajiComposer box = Typed(QString::fromUtf8(c.keys));
    EXPECT_EQ(box.Text(), QString::fromUtf8(c.text)) << "keys: " << c.keys;
    EXPECT_EQ(box.Pending(), QString::fromUtf8(c.pending)) << "keys: " << c.keys;
  }
}

}  // namespace

TEST(RomajiSpellings, CoverEveryStringOfTheKanaTable) {
  MakeMojiTable();
  for (const QString& moji : Game.MojiTable) {
    EXPECT_TRUE(SpellingsOfMoji().contains(moji)) << moji.toStdString();
  }
}

TEST(RomajiSpellings, EachSpellingOfAKanaTableStringGivesThatStringAtItsLastLetter) {
  for (const auto& [moji, spellings] : SpellingsOfMoji()) {
    for (const QString& spelling : spellings) {
      const RomajiComposer box = Typed(spelling);
      EXPECT_EQ(box.Text(), moji) << spelling.toStdString();
      EXPECT_EQ(box.Pending(), "") << spelling.toStdString();
    }
  }
}

// The usual way an input method spells combinations it has no syllable for.
TEST(RomajiSpellings, EachTwoKanaStringCanBeTypedKanaByKanaWithAnXForTheSmallOne) {
  const std::map<QChar, QString> smallKana = {{u'ぁ', "xa"},  {u'ぃ', "xi"}, {u'ぅ', "xu"},
                                              {u'ぇ', "xe"},  {u'ぉ', "xo"}, {u'ゃ', "xya"},
                                              {u'ゅ', "xyu"}, {u'ょ', "xyo"}};
  for (const auto& [moji, spellings] : SpellingsOfMoji()) {
    if (moji.size() != 2) continue;
    const QString first = SpellingsOfMoji().at(moji.left(1)).first();
    const QString keys = first + smallKana.at(moji[1]);
    EXPECT_EQ(Typed(keys).Text(), moji) << keys.toStdString();
  }
}

// A spelling that a shorter one completes before its last letter could never
// be typed; every spelling the table offers must give its own kana.
TEST(RomajiSpellings, EverySpellingInTheTableIsReachable) {
  for (const RomajiRule& rule : RomajiRules()) {
    const RomajiComposer box = Typed(rule.spelling + "\n");
    EXPECT_EQ(box.Text(), rule.kana) << rule.spelling.toStdString();
  }
}

// The input-table picture lists "kana<TAB>spellings", spellings separated by
// blanks and "+" joining parts typed one after the other; "#" lines are
// notes and "[" lines lesson captions.
TEST(RomajiSpellings, EverySpellingShownOnTheInputTableGivesItsKana) {
  QFile table(QStringLiteral(KANACATCH_SOURCE_DIR "/data/pictures/romaji.tsv"));
  ASSERT_TRUE(table.open(QIODevice::ReadOnly | QIODevice::Text)) << table.fileName().toStdString();
  int spellingsChecked = 0;
  for (const QString& line : QString::fromUtf8(table.readAll()).split(u'\n')) {
    if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u'[')) continue;
    const QStringList fields = line.split(u'\t');
    ASSERT_EQ(fields.size(), 2) << line.toStdString();
    for (const QString& spelling : fields[1].split(u' ', Qt::SkipEmptyParts)) {
      const RomajiComposer box = Typed(QString(spelling).remove(u'+'));
      EXPECT_EQ(box.Text(), fields[0]) << spelling.toStdString();
      EXPECT_EQ(box.Pending(), "") << spelling.toStdString();
      ++spellingsChecked;
    }
  }
  // At least one line for each of the table's strings; くょ comes twice in the table.
  EXPECT_GE(spellingsChecked, MojiTableSize - 1);
}

TEST(RomajiN, GivesNnOnlyWhereNoNaRowKanaCanFollow) {
  ExpectCases({{"nn", "ん", ""},
               {"n'", "ん", ""},
               {"xn", "ん", ""},
               {"nya", "にゃ", ""},
               {"nnya", "んや", ""},
               {"nna", "んあ", ""},
               {"nnna", "んな", ""},
               {"nk", "ん", "k"},
               {"nka", "んか", ""},
               {"nwa", "んわ", ""},
               {"nxa", "んぁ", ""},
               {"n'a", "んあ", ""},
               {"kanji", "かんじ", ""},
               {"n", "", "n"},
               {"ny", "", "ny"}});
}

TEST(RomajiN, ALoneNBecomesNnAtEnterAndOtherPendingLettersAreDropped) {
  ExpectCases({{"n\n", "ん", ""},
               {"kan\n", "かん", ""},
               {"ky\n", "", ""},
               {"kak\n", "か", ""},
               {"ny\n", "", ""}});
}

TEST(RomajiDoubledConsonants, GiveSmallTsuAndKeepTheSecondLetterPending) {
  ExpectCases({{"kk", "っ", "k"},
               {"kka", "っか", ""},
               {"ssha", "っしゃ", ""},
               {"tte", "って", ""},
               {"ppo", "っぽ", ""},
               {"cchi", "っち", ""},
               {"tchi", "っち", ""},
               {"matcha", "まっちゃ", ""},
               {"kitte", "きって", ""},
               {"xtu", "っ", ""},
               {"ltsu", "っ", ""},
               {"xtsu", "っ", ""}});
}

TEST(RomajiLetterCase, UppercaseLettersConvertLikeLowercase) {
  ExpectCases({{"KA", "か", ""},
               {"Kya", "きゃ", ""},
               {"SHI", "し", ""},
               {"NN", "ん", ""},
               {"N\n", "ん", ""},
               {"KK", "っ", "K"}});
}

TEST(RomajiLetterCase, PendingLettersKeepTheCaseTheyWereTypedIn) {
  ExpectCases({{"K", "", "K"}, {"kY", "", "kY"}, {"K1", "K1", ""}});
}

TEST(RomajiNonLetters, JoinTheTextUnchangedAndSettleThePendingLetters) {
  ExpectCases({{"1", "1", ""},
               {"ka1", "か1", ""},
               {"k1", "k1", ""},
               {"n1", "ん1", ""},
               {"n.", "ん.", ""},
               {"ka!", "か!", ""},
               {"'", "'", ""},
               {"k'", "k'", ""},
               {"ka ", "か ", ""},
               {"nか", "んか", ""},
               {"éa", "éあ", ""}});
}

TEST(RomajiNonLetters, ALetterThatStartsNoSpellingLeavesTheWaitingLettersAsTyped) {
  ExpectCases({{"kqa", "kくぁ", ""}, {"tsk", "ts", "k"}, {"ky1", "ky1", ""}});
}

TEST(RomajiNonLetters, ControlCharactersAreIgnored) {
  RomajiComposer box = Typed("ka");
  EXPECT_EQ(box.Type(u'\t'), KeyResult::Ignored);
  EXPECT_EQ(box.Type(QChar(0x1b)), KeyResult::Ignored);
  EXPECT_EQ(box.Text(), "か");
}

TEST(RomajiKeyResult, TellsWhetherTheTextChanged) {
  RomajiComposer box;
  EXPECT_EQ(box.Type(u'k'), KeyResult::Held);
  EXPECT_EQ(box.Type(u'y'), KeyResult::Held);
  EXPECT_EQ(box.Type(u'a'), KeyResult::Changed);
  EXPECT_EQ(box.Type(u'n'), KeyResult::Held);
  EXPECT_EQ(box.Type(u'k'), KeyResult::Changed);
  EXPECT_EQ(box.Type(u'?'), KeyResult::Changed);
}

TEST(RomajiBackspace, RemovesAPendingLetterBeforeAnyKana) {
  ExpectCases({{"ky\b", "", "k"},
               {"kak\b", "か", ""},
               {"kak\b\b", "", ""},
               {"kya\b", "き", ""},
               {"n\ba", "あ", ""},
               {"kk\b", "っ", ""}});
}

TEST(RomajiBackspace, ReportsAnEmptyBoxAndNeverSplitsACharacter) {
  RomajiComposer box;
  EXPECT_FALSE(box.Backspace());
  box.SetText(QString::fromUtf8("か😀"));
  EXPECT_TRUE(box.Backspace());
  EXPECT_EQ(box.Text(), "か");
}

TEST(RomajiInputMethodText, IsKeptAsCommittedAndTypingContinuesAfterIt) {
  RomajiComposer box = Typed("n");
  box.AppendCommitted("きゃ");
  EXPECT_EQ(box.Text(), "んきゃ");
  EXPECT_EQ(box.Pending(), "");
  box.Type(u'a');
  EXPECT_EQ(box.Text(), "んきゃあ");
}

TEST(RomajiInputMethodText, SettingTheTextDropsPendingLettersAndClearEmptiesAll) {
  RomajiComposer box = Typed("kak");
  box.SetText("しゃ");
  EXPECT_EQ(box.Text(), "しゃ");
  EXPECT_EQ(box.Pending(), "");
  box.Type(u'k');
  box.Clear();
  EXPECT_EQ(box.Text(), "");
  EXPECT_EQ(box.Pending(), "");
}
