#include "rules/kana/WordList.h"

#include <QFile>
#include <QSet>
#include <QStringDecoder>

#include "romaji/WordSpelling.h"
#include "rules/kana/WordLessons.h"

namespace {

// What is wrong with one word's fields, or nothing.
QString FaultOf(const QStringList& fields, KanaScript script) {
  if (fields.size() != 3) return QStringLiteral("not kana, written form and meaning, by tabs");
  for (const QString& field : fields)
    if (field.trimmed().isEmpty() || field != field.trimmed())
      return QStringLiteral("an empty field, or blanks around one");
  const QString& kana = fields[0];
  if (!WordInScript(kana, script))
    return QStringLiteral("%1 is not all %2")
        .arg(kana, script == KanaScript::Hiragana ? "hiragana" : "katakana");
  if (kana.size() < ShortestWord || kana.size() > LongestWord)
    return QStringLiteral("%1 is not %2 to %3 kana long")
        .arg(kana)
        .arg(ShortestWord)
        .arg(LongestWord);
  if (WordSpelling(kana).isEmpty()) return QStringLiteral("%1 has no romaji").arg(kana);
  return {};
}

}  // namespace

WordTable ReadWordTable(const QString& path, KanaScript script) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {{}, QStringLiteral("cannot be read")};
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8(file.readAll());
  if (utf8.hasError()) return {{}, QStringLiteral("is not UTF-8 text")};
  WordTable table;
  QSet<QString> seen;
  int number = 0;
  for (const QStringView line : QStringView(text).split(u'\n')) {
    ++number;
    const QString content = line.toString().remove(u'\r');
    if (content.isEmpty() || content.startsWith(u'#')) continue;
    const QStringList fields = content.split(u'\t');
    QString fault = FaultOf(fields, script);
    if (fault.isEmpty() && seen.contains(fields[0])) fault = fields[0] + QStringLiteral(" twice");
    if (!fault.isEmpty()) return {{}, QStringLiteral("line %1: %2").arg(number).arg(fault)};
    seen.insert(fields[0]);
    table.words.push_back({fields[0], fields[1], fields[2]});
  }
  if (table.words.empty()) return {{}, QStringLiteral("holds no words")};
  return table;
}

QString WordTableFileName(KanaScript script) {
  return script == KanaScript::Katakana ? QStringLiteral("katakana-words.txt")
                                        : QStringLiteral("hiragana-words.txt");
}

const WordTable& WordsIn(KanaScript script) {
  return script == KanaScript::Katakana ? Game.KatakanaWords : Game.HiraganaWords;
}

std::vector<const Word*> WordsOfLesson(int lessonNo, KanaScript script) {
  const auto [shortest, longest] = WordLengthsOf(lessonNo);
  std::vector<const Word*> words;
  for (const Word& word : WordsIn(script).words) {
    if (word.kana.size() >= shortest && word.kana.size() <= longest) words.push_back(&word);
  }
  return words;
}

QString WhyNotPlayable(int lessonNo, KanaScript script) {
  if (!IsWordLesson(lessonNo)) return {};
  const QString file = WordTableFileName(script);
  const WordTable& table = WordsIn(script);
  if (!table.fault.isEmpty()) {
    const bool atALine = table.fault.startsWith(QStringLiteral("line "));
    return file + QStringLiteral(" in the data folder") +
           (atALine ? QStringLiteral(", ") : QStringLiteral(" ")) + table.fault;
  }
  if (!WordsOfLesson(lessonNo, script).empty()) return {};
  const auto [shortest, longest] = WordLengthsOf(lessonNo);
  return QStringLiteral("%1 in the data folder holds no words of %2 kana")
      .arg(file, shortest == longest ? QString::number(shortest)
                                     : QStringLiteral("%1 or %2").arg(shortest).arg(longest));
}

const Word* WordOf(const QString& kana) {
  for (const WordTable* table : {&Game.HiraganaWords, &Game.KatakanaWords}) {
    for (const Word& word : table->words)
      if (word.kana == kana) return &word;
  }
  return nullptr;
}
