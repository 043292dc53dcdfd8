#include "romaji/WordSpelling.h"

#include <QStringList>

#include "romaji/KanaScript.h"
#include "romaji/RomajiTable.h"

namespace {

// A spelling typed in one go: the first one, unless it is typed in parts.
QString WholeSpelling(QStringView kana) {
  const QString spelling = FirstSpelling(kana);
  return spelling.contains(u'+') ? QString() : spelling;
}

// The word cut into the kana that are typed one spelling each: a kana with
// the small kana after it where they have a spelling together.
QStringList TypedUnits(const QString& hiragana) {
  QStringList units;
  for (qsizetype i = 0; i < hiragana.size();) {
    const qsizetype length =
        i + 1 < hiragana.size() && !WholeSpelling(QStringView(hiragana).mid(i, 2)).isEmpty() ? 2
                                                                                             : 1;
    units << hiragana.mid(i, length);
    i += length;
  }
  return units;
}

bool StartsWithVowelYOrN(const QString& spelling) {
  return !spelling.isEmpty() && QStringLiteral("aiueoyn").contains(spelling.front());
}

}  // namespace

QString WordSpelling(QStringView word) {
  const QStringList units = TypedUnits(HiraganaOf(word));
  QStringList spellings;
  for (const QString& unit : units) spellings << WholeSpelling(unit);
  QString typed;
  for (qsizetype k = 0; k < units.size(); ++k) {
    const QString next = spellings.value(k + 1);
    if (units[k] == u"っ" && !next.isEmpty() && !StartsWithVowelYOrN(next) && next.front() != u'-')
      typed += next.front();
    else if (units[k] == u"ん")
      typed +=
          next.isEmpty() || StartsWithVowelYOrN(next) ? QStringLiteral("nn") : QStringLiteral("n");
    else if (spellings[k].isEmpty())
      return {};
    else
      typed += spellings[k];
  }
  return typed;
}
