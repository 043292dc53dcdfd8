#pragma once
#include <QString>

#include "history/HistoryStore.h"
#include "history/PracticeWeights.h"

struct HistoryStatus;

// What the windows say about the history of games, in words a learner
// understands. The database's own words, in English, come only as a detail
// on a line of their own, for whoever helps the learner.

// Why a game was not kept, as one sentence: "ディスクがいっぱいです。"
QString NotKeptReason(NotKept why);

// The results window's two lines for a game that was not kept: that it was
// not, and why (the database's words go into the line's tooltip).
QString NotKeptNote(const SaveReport& report);

// The 記録 window's lines for the history's state; empty when all is well.
QString HistoryNotice(const HistoryStatus& status);

// Why the practice asks for a string, in a word or two: "にがて".
QString PracticeReasonWord(PracticeReason reason);

// A day as the 記録 window lists it: "12月8日（火）".
QString DayText(QDate day);
