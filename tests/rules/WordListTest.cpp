// The word lessons' tables: the lists the game ships, and what makes a
// table unusable.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <tuple>

#include "romaji/WordSpelling.h"
#include "rules/kana/WordList.h"
#include "support/QtPrinters.h"
#include "support/RomajiTyping.h"

namespace {

// The lesson a word's length puts it in: 2, 3, or 4 for four and five kana.
int LessonLength(const Word& word) { return std::min<int>(word.kana.size(), 4); }

}  // namespace

// Each shipped table reads whole: enough words for a learner, each typed
// back by its romaji, with a written form and a short meaning, and no word
// of a lesson the beginning of another of that lesson (it would be caught
// first while the longer one is typed).
TEST(WordTables, TheShippedListsAreSoundForTheirLessons) {
  for (const auto& [file, script, fewest] :
       {std::tuple{"hiragana-words.txt", KanaScript::Hiragana, 500u},
        {"katakana-words.txt", KanaScript::Katakana, 150u}}) {
    const WordTable table = ReadWordTable(QStringLiteral(KANACATCH_WORD_TABLES "/") + file, script);
    ASSERT_EQ(table.fault, "") << file;
    EXPECT_GE(table.words.size(), fewest) << file;
    std::map<int, int> perLesson;
    for (const Word& word : table.words) {
      ++perLesson[LessonLength(word)];
      const std::string kana = word.kana.toStdString();
      EXPECT_EQ(Typed(WordSpelling(word.kana) + "\n", script).Text(), word.kana)
          << WordSpelling(word.kana).toStdString() << " does not type " << kana;
      EXPECT_LE(word.meaning.size(), 28) << kana << ": " << word.meaning.toStdString();
      for (const Word& other : table.words)
        EXPECT_TRUE(&other == &word || LessonLength(other) != LessonLength(word) ||
                    !other.kana.startsWith(word.kana))
            << kana << " begins " << other.kana.toStdString();
    }
    for (const int length : {2, 3, 4}) EXPECT_GE(perLesson[length], 35) << file << " " << length;
  }
}

// A line that breaks a rule makes the whole table unusable, and says where.
TEST(WordTables, ALineThatBreaksARuleMakesTheTableUnusable) {
  constexpr auto H = KanaScript::Hiragana, K = KanaScript::Katakana;
  // The lines after a first line of comment, and the words read or the fault.
  const std::tuple<KanaScript, const char*, const char*> cases[] = {
      {H, "やま\t山\tmountain\r\nいぬ\t犬\tdog\r\n\nねこ\t猫\tcat", "3"},
      {K, "コーヒー\tコーヒー\tcoffee\nやま\t山\tmountain", "line 3: やま is not all katakana"},
      {H, "いぬ\t犬", "line 2: not kana, written form and meaning, by tabs"},
      {H, "いぬ\t犬\t dog", "line 2: an empty field, or blanks around one"},
      {H, "い\t胃\tstomach", "line 2: い is not 2 to 5 kana long"},
      {K, "ヷイン\tヷイン\twine", "line 2: ヷイン has no romaji"},
      {H, "やま\t山\tmountain\nやま\t山\thill", "line 3: やま twice"},
      {H, "\xff", "is not UTF-8 text"},
      {H, "", "holds no words"}};
  QTemporaryDir folder;
  QFile file(folder.filePath("words.txt"));
  for (const auto& [script, lines, read] : cases) {
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(QByteArray("# kana, written, meaning\n") + lines);
    file.close();
    const WordTable table = ReadWordTable(file.fileName(), script);
    EXPECT_EQ(table.fault.isEmpty() ? QString::number(table.words.size()) : table.fault,
              QString::fromUtf8(read))
        << lines;
  }
  EXPECT_EQ(ReadWordTable(folder.filePath("none.txt"), H).fault, "cannot be read");
}
