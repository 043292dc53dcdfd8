#include "romaji/RomajiTable.h"

#include <QHash>
#include <algorithm>
#include <vector>

namespace {

// Each kana with its spellings. The first is the one the input table prints
// in bold and hints name: every common input method (Mozc, Anthy) and the
// text box take it, so where the input methods share no single spelling it is
// two parts joined by "+" ("ku+xya"). The table prints the others up to "|";
// those after it the box takes too but the table leaves out. Spellings with a
// "+" are typed part by part and are no rules of their own.
constexpr const char* Spellings[] = {
    // あ行 and the small vowels
    "あ a", "い i | yi", "う u | wu whu", "え e", "お o", "ぁ xa la", "ぃ xi li | xyi lyi",
    "ぅ xu lu", "ぇ xe le | xye lye", "ぉ xo lo", "いぇ ye", "うぁ wha", "うぃ wi whi",
    "うぇ we whe", "うぉ who",
    // か行
    "か ka ca", "き ki", "く ku cu | qu", "け ke", "こ ko co", "きゃ kya", "きぃ kyi", "きゅ kyu",
    "きぇ kye", "きょ kyo", "くぁ kwa qa | qwa", "くぃ kwi qi | qwi qyi", "くぅ ku+xu kwu qwu",
    "くぇ kwe qe | qwe qye", "くぉ kwo qo | qwo", "くゃ ku+xya qya", "くゅ ku+xyu qyu",
    "くょ ku+xyo qyo", "ゕ xka lka", "ゖ xke lke",
    // が行
    "が ga", "ぎ gi", "ぐ gu", "げ ge", "ご go", "ぎゃ gya", "ぎぃ gyi", "ぎゅ gyu", "ぎぇ gye",
    "ぎょ gyo", "ぐぁ gwa", "ぐぃ gu+xi gwi", "ぐぅ gu+xu gwu", "ぐぇ gu+xe gwe", "ぐぉ gu+xo gwo",
    // さ行
    "さ sa", "し shi si ci", "す su", "せ se ce", "そ so", "しゃ sha sya", "しぃ syi",
    "しゅ shu syu", "しぇ she sye", "しょ sho syo", "すぁ su+xa swa", "すぃ su+xi swi",
    "すぅ su+xu swu", "すぇ su+xe swe", "すぉ su+xo swo",
    // ざ行
    "ざ za", "じ ji zi", "ず zu", "ぜ ze", "ぞ zo", "じゃ ja jya zya", "じぃ jyi zyi",
    "じゅ ju jyu zyu", "じぇ je jye zye", "じょ jo jyo zyo",
    // た行
    "た ta", "ち chi ti", "つ tsu tu", "て te", "と to", "っ xtu ltu xtsu ltsu", "ちゃ cha tya cya",
    "ちぃ tyi cyi", "ちゅ chu tyu cyu", "ちぇ che tye cye", "ちょ cho tyo cyo", "つぁ tsa",
    "つぃ tsi", "つぇ tse", "つぉ tso", "てゃ tha", "てぃ thi | t'i", "てゅ thu | t'yu", "てぇ the",
    "てょ tho", "とぁ to+xa twa", "とぃ to+xi twi", "とぅ twu | t'u", "とぇ to+xe twe",
    "とぉ to+xo two",
    // だ行
    "だ da", "ぢ di", "づ du | dzu", "で de", "ど do", "ぢゃ dya", "ぢぃ dyi", "ぢゅ dyu",
    "ぢぇ dye", "ぢょ dyo", "でゃ dha", "でぃ dhi | d'i", "でゅ dhu | d'yu", "でぇ dhe", "でょ dho",
    "どぁ do+xa dwa", "どぃ do+xi dwi", "どぅ dwu | d'u", "どぇ do+xe dwe", "どぉ do+xo dwo",
    // な行 and ん: a lone "n" waits, since "na" or "nya" may follow
    "な na", "に ni", "ぬ nu", "ね ne", "の no", "にゃ nya", "にぃ nyi", "にゅ nyu", "にぇ nye",
    "にょ nyo", "ん nn n' | n xn",
    // は行
    "は ha", "ひ hi", "ふ fu hu", "へ he", "ほ ho", "ひゃ hya", "ひぃ hyi", "ひゅ hyu", "ひぇ hye",
    "ひょ hyo", "ふぁ fa | fwa hwa", "ふぃ fi | fwi fyi hwi", "ふぅ fu+xu fwu",
    "ふぇ fe | fwe fye hwe", "ふぉ fo | fwo hwo", "ふゃ fya", "ふゅ fyu | hwyu", "ふょ fyo",
    "ば ba", "び bi", "ぶ bu", "べ be", "ぼ bo", "びゃ bya", "びぃ byi", "びゅ byu", "びぇ bye",
    "びょ byo", "ぱ pa", "ぴ pi", "ぷ pu", "ぺ pe", "ぽ po", "ぴゃ pya", "ぴぃ pyi", "ぴゅ pyu",
    "ぴぇ pye", "ぴょ pyo",
    // ゔ
    "ゔぁ va", "ゔぃ vi | vyi", "ゔ vu", "ゔぇ ve | vye", "ゔぉ vo", "ゔゃ vya", "ゔゅ vyu",
    "ゔょ vyo",
    // ま行
    "ま ma", "み mi", "む mu", "め me", "も mo", "みゃ mya", "みぃ myi", "みゅ myu", "みぇ mye",
    "みょ myo",
    // や行 and the small ゃゅょ
    "や ya", "ゆ yu", "よ yo", "ゃ xya lya", "ゅ xyu lyu", "ょ xyo lyo",
    // ら行
    "ら ra", "り ri", "る ru", "れ re", "ろ ro", "りゃ rya", "りぃ ryi", "りゅ ryu", "りぇ rye",
    "りょ ryo",
    // わ行
    "わ wa", "ゐ wyi", "ゑ wye", "を wo", "ゎ xwa lwa",
    // the long-vowel mark of katakana words, which input methods type for "-"
    "ー -"};

// A consonant typed twice gives っ and keeps the second letter for the next
// kana ("kka" is っか); "nn" is ん instead. Hepburn's "tch" ("matcha") too.
void AddSmallTsuSpellings(std::vector<RomajiRule>& rules) {
  const QString smallTsu = QStringLiteral("っ");
  for (const QChar c : QStringLiteral("bcdfghjklmpqrstvwxyz")) {
    rules.push_back({QString(2, c), smallTsu, QString(c)});
  }
  rules.push_back({QStringLiteral("tc"), smallTsu, QStringLiteral("c")});
}

// The table read once: the box's rules, sorted by spelling, and the shown
// spellings of each kana string.
struct SpellingTable {
  std::vector<RomajiRule> rules;
  QHash<QString, QStringList> shown;
};

SpellingTable BuildTable() {
  SpellingTable table;
  for (const char* row : Spellings) {
    QStringList words = QString::fromUtf8(row).split(u' ');
    const QString kana = words.takeFirst();
    const qsizetype bar = words.indexOf(QStringLiteral("|"));
    table.shown.insert(kana, bar < 0 ? words : words.first(bar));
    if (bar >= 0) words.removeAt(bar);
    for (const QString& spelling : words) {
      if (!spelling.contains(u'+')) table.rules.push_back({spelling, kana, QString()});
    }
  }
  AddSmallTsuSpellings(table.rules);
  std::sort(table.rules.begin(), table.rules.end(),
            [](const RomajiRule& a, const RomajiRule& b) { return a.spelling < b.spelling; });
  return table;
}

const SpellingTable& Table() {
  static const SpellingTable table = BuildTable();
  return table;
}

const std::vector<RomajiRule>& SortedRules() { return Table().rules; }

// The first rule whose spelling is not below `letters`.
std::vector<RomajiRule>::const_iterator FirstNotBelow(QStringView letters) {
  const std::vector<RomajiRule>& rules = SortedRules();
  return std::lower_bound(
      rules.begin(), rules.end(), letters,
      [](const RomajiRule& rule, QStringView key) { return QStringView(rule.spelling) < key; });
}

}  // namespace

std::span<const RomajiRule> RomajiRules() { return SortedRules(); }

const RomajiRule* FindRomajiRule(QStringView letters) {
  const auto it = FirstNotBelow(letters);
  if (it == SortedRules().end() || it->spelling != letters) return nullptr;
  return &*it;
}

bool CanGrowIntoRomaji(QStringView letters) {
  auto it = FirstNotBelow(letters);
  if (it != SortedRules().end() && it->spelling == letters) ++it;
  return it != SortedRules().end() && it->spelling.startsWith(letters);
}

QStringList ShownSpellings(QStringView moji) { return Table().shown.value(moji.toString()); }

QString FirstSpelling(QStringView moji) { return ShownSpellings(moji).value(0); }
