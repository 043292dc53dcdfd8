#include "rules/kana/WordLessons.h"

const char* const WordLessonCaptions[] = {"ことば ２文字", "ことば ３文字", "ことば ４・５文字",
                                          "にがてなことば"};

const char* const WordLessonTips[] = {
    "Words of two kana (いぬ dog, ねこ cat); おそい or ややはやい leave time to type a word",
    "Words of three kana (さかな fish, テレビ TV); おそい or ややはやい leave time to type a word",
    "Words of four or five kana (ともだち friend, コーヒー coffee); おそい suits them best",
    "Practice: the words you miss or catch slowly come most; おそい or ややはやい leave time to "
    "type a word"};
