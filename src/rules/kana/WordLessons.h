#pragma once
#include <utility>

// The word lessons follow the kana lessons and the practice of weak strings:
// lessons 13 to 15 draw words of the word tables by their length, and lesson
// 16 practises the weak words. Games keep these numbers in the history.
constexpr int FirstWordLessonNo = 13;
constexpr int WordLessonCount = 3;
constexpr int WordPracticeLessonNo = 16;
constexpr int LastLessonNo = WordPracticeLessonNo;
// The last lesson the "レッスン" menu offers and the kept settings take;
// the practice of weak words is not one of them yet.
constexpr int LastMenuLessonNo = FirstWordLessonNo + WordLessonCount - 1;

// Whether lesson `lessonNo` is played with words, the practice of weak
// words included.
constexpr bool IsWordLesson(int lessonNo) {
  return lessonNo >= FirstWordLessonNo && lessonNo <= WordPracticeLessonNo;
}

// The shortest and longest word, in kana, of word lesson 13 to 15: two,
// three, and four or five.
constexpr std::pair<int, int> WordLengthsOf(int lessonNo) {
  return lessonNo == FirstWordLessonNo       ? std::pair{2, 2}
         : lessonNo == FirstWordLessonNo + 1 ? std::pair{3, 3}
                                             : std::pair{4, 5};
}

// The "レッスン" menu's item for lessons 13 to 16, and its English tooltip.
extern const char* const WordLessonCaptions[WordPracticeLessonNo - FirstWordLessonNo + 1];
extern const char* const WordLessonTips[WordPracticeLessonNo - FirstWordLessonNo + 1];
