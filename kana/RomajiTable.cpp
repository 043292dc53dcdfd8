#include "kana/RomajiTable.h"

#include <QStringList>
#include <algorithm>
#include <vector>

namespace {

// Each kana with the spellings that give it, in the order of the kana chart:
// Hepburn first, then Kunrei and the usual input-method forms.
constexpr const char* Spellings[] = {
    // あ行 and the small vowels
    "あ a", "い i yi", "う u wu whu", "え e", "お o", "ぁ xa la", "ぃ xi li xyi lyi", "ぅ xu lu",
    "ぇ xe le xye lye", "ぉ xo lo", "いぇ ye", "うぁ wha", "うぃ whi wi", "うぇ whe we", "うぉ who",
    // か行
    "か ka ca", "き ki", "く ku cu qu", "け ke", "こ ko co", "きゃ kya", "きぃ kyi", "きゅ kyu",
    "きぇ kye", "きょ kyo", "くぁ qa kwa qwa", "くぃ qi kwi qwi qyi", "くぅ qwu kwu",
    "くぇ qe kwe qwe qye", "くぉ qo kwo qwo", "くゃ qya", "くゅ qyu", "くょ qyo", "ゕ xka lka",
    "ゖ xke lke",
    // が行
    "が ga", "ぎ gi", "ぐ gu", "げ ge", "ご go", "ぎゃ gya", "ぎぃ gyi", "ぎゅ gyu", "ぎぇ gye",
    "ぎょ gyo", "ぐぁ gwa", "ぐぃ gwi", "ぐぅ gwu", "ぐぇ gwe", "ぐぉ gwo",
    // さ行
    "さ sa", "し shi si ci", "す su", "せ se ce", "そ so", "しゃ sha sya", "しぃ syi",
    "しゅ shu syu", "しぇ she sye", "しょ sho syo", "すぁ swa", "すぃ swi", "すぅ swu", "すぇ swe",
    "すぉ swo",
    // ざ行
    "ざ za", "じ ji zi", "ず zu", "ぜ ze", "ぞ zo", "じゃ ja jya zya", "じぃ jyi zyi",
    "じゅ ju jyu zyu", "じぇ je jye zye", "じょ jo jyo zyo",
    // た行
    "た ta", "ち chi ti", "つ tsu tu", "て te", "と to", "っ xtu ltu xtsu ltsu", "ちゃ cha tya cya",
    "ちぃ tyi cyi", "ちゅ chu tyu cyu", "ちぇ che tye cye", "ちょ cho tyo cyo", "つぁ tsa",
    "つぃ tsi", "つぇ tse", "つぉ tso", "てゃ tha", "てぃ thi", "てゅ thu", "てぇ the", "てょ tho",
    "とぁ twa", "とぃ twi", "とぅ twu", "とぇ twe", "とぉ two",
    // だ行
    "だ da", "ぢ di", "づ du", "で de", "ど do", "ぢゃ dya", "ぢぃ dyi", "ぢゅ dyu", "ぢぇ dye",
    "ぢょ dyo", "でゃ dha", "でぃ dhi", "でゅ dhu", "でぇ dhe", "でょ dho", "どぁ dwa", "どぃ dwi",
    "どぅ dwu", "どぇ dwe", "どぉ dwo",
    // な行 and ん: a lone "n" waits, since "na" or "nya" may follow
    "な na", "に ni", "ぬ nu", "ね ne", "の no", "にゃ nya", "にぃ nyi", "にゅ nyu", "にぇ nye",
    "にょ nyo", "ん n nn xn",
    // は行
    "は ha", "ひ hi", "ふ fu hu", "へ he", "ほ ho", "ひゃ hya", "ひぃ hyi", "ひゅ hyu", "ひぇ hye",
    "ひょ hyo", "ふぁ fa fwa", "ふぃ fi fwi fyi", "ふぅ fwu", "ふぇ fe fwe fye", "ふぉ fo fwo",
    "ふゃ fya", "ふゅ fyu", "ふょ fyo", "ば ba", "び bi", "ぶ bu", "べ be", "ぼ bo", "びゃ bya",
    "びぃ byi", "びゅ byu", "びぇ bye", "びょ byo", "ぱ pa", "ぴ pi", "ぷ pu", "ぺ pe", "ぽ po",
    "ぴゃ pya", "ぴぃ pyi", "ぴゅ pyu", "ぴぇ pye", "ぴょ pyo",
    // ゔ
    "ゔぁ va", "ゔぃ vi vyi", "ゔ vu", "ゔぇ ve vye", "ゔぉ vo", "ゔゃ vya", "ゔゅ vyu", "ゔょ vyo",
    // ま行
    "ま ma", "み mi", "む mu", "め me", "も mo", "みゃ mya", "みぃ myi", "みゅ myu", "みぇ mye",
    "みょ myo",
    // や行 and the small ゃゅょ
    "や ya", "ゆ yu", "よ yo", "ゃ xya lya", "ゅ xyu lyu", "ょ xyo lyo",
    // ら行
    "ら ra", "り ri", "る ru", "れ re", "ろ ro", "りゃ rya", "りぃ ryi", "りゅ ryu", "りぇ rye",
    "りょ ryo",
    // わ行
    "わ wa", "ゐ wyi", "ゑ wye", "を wo", "ゎ xwa lwa"};

// A consonant typed twice gives っ and keeps the second letter for the next
// kana ("kka" is っか); "nn" is ん instead. Hepburn's "tch" ("matcha") too.
void AddSmallTsuSpellings(std::vector<RomajiRule>& rules) {
  const QString smallTsu = QStringLiteral("っ");
  for (const QChar c : QStringLiteral("bcdfghjklmpqrstvwxyz")) {
    rules.push_back({QString(2, c), smallTsu, QString(c)});
  }
  rules.push_back({QStringLiteral("tc"), smallTsu, QStringLiteral("c")});
}

std::vector<RomajiRule> BuildRules() {
  std::vector<RomajiRule> rules;
  for (const char* row : Spellings) {
    const QStringList words = QString::fromUtf8(row).split(u' ');
    for (qsizetype i = 1; i < words.size(); ++i) rules.push_back({words[i], words[0], QString()});
  }
  AddSmallTsuSpellings(rules);
  std::sort(rules.begin(), rules.end(),
            [](const RomajiRule& a, const RomajiRule& b) { return a.spelling < b.spelling; });
  return rules;
}

const std::vector<RomajiRule>& SortedRules() {
  static const std::vector<RomajiRule> rules = BuildRules();
  return rules;
}

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
