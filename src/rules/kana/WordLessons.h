#pragma once
#include <QString>
#include <utility>

#include "romaji/KanaScript.h"

// The word lessons follow the kana lessons and the practice of weak strings:
// lessons 13 to 15 draw words of the word tables by their length, and lesson
// 16 practises the weak words. Games keep these numbers in the history.
constexpr int FirstWordLessonNo = 13;
constexpr int WordLessonCount = 3;
constexpr int WordPracticeLessonNo = 16;
constexpr int LastLessonNo = WordPracticeLessonNo;
// The last lesson the "レッスン" menu offers and the kept settings take.
constexpr int LastMenuLessonNo = WordPracticeLessonNo;

// Whether lesson `lessonNo` is played with words, the practice of weak
// words included.
constexpr bool IsWordLesson(int lessonNo) {
  return lessonNo >= FirstWordLessonNo && lessonNo <= WordPracticeLessonNo;
}

// The shortest and longest word, in kana, of word lesson 13 to 16: two,
// three, four or five, and for the practice of weak words any of them.
constexpr std::pair<int, int> WordLengthsOf(int lessonNo) {
  return lessonNo == FirstWordLessonNo       ? std::pair{2, 2}
         : lessonNo == FirstWordLessonNo + 1 ? std::pair{3, 3}
         : lessonNo == WordPracticeLessonNo  ? std::pair{2, 5}
                                             : std::pair{4, 5};
}

// Whether every character of `kana` is a kana of `script`, the long-vowel
// mark ー counting as katakana. Inline: the history's store module checks
// the words it reads with it.
inline bool WordInScript(const QString& kana, KanaScript script) {
  for (const QChar c : kana) {
    const bool hiragana = c >= u'ぁ' && c <= u'ゖ';
    const bool katakana = (c >= u'ァ' && c <= u'ヺ') || c == u'ー';
    if (script == KanaScript::Hiragana ? !hiragana : !katakana) return false;
  }
  return true;
}

// The "レッスン" menu's item for lessons 13 to 16, and its English tooltip.
extern const char* const WordLessonCaptions[WordPracticeLessonNo - FirstWordLessonNo + 1];
extern const char* const WordLessonTips[WordPracticeLessonNo - FirstWordLessonNo + 1];
