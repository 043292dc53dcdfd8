#pragma once

// Fills MojiTable with its 195 strings, lesson by lesson.
void MakeMojiTable();

// One lesson's slice of MojiTable: entries Base + 1 to Base + Size.
struct LessonRange {
  int Size;
  int Base;
};

// Lessons 1 to 11 are slices of the table; lesson 12, the practice of weak
// strings, draws from the whole table by weights that the history of games
// gives (rules/kana/PracticePick.h).
constexpr int LessonCount = 11;
constexpr int PracticeLessonNo = 12;
constexpr int LessonMenuCount = 12;

// The range of lesson 1 to 12; lessons 11 and 12 are the whole table.
LessonRange LessonRangeOf(int lessonNo);

// The "レッスン" menu's item for each lesson, 1 to 12.
extern const char* const LessonCaptions[LessonMenuCount];
