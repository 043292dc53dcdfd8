#pragma once

// Fills MojiTable with its 195 strings, lesson by lesson.
void MakeMojiTable();

// One lesson's slice of MojiTable: entries Base + 1 to Base + Size.
struct LessonRange {
  int Size;
  int Base;
};

constexpr int LessonCount = 11;

// The range of lesson 1 to 11; lesson 11 is the whole table.
LessonRange LessonRangeOf(int lessonNo);

// The "レッスン" menu's item for each lesson, 1 to 11.
extern const char* const LessonCaptions[LessonCount];
