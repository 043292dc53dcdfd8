#pragma once
#include <QString>

#include "history/HistoryRecord.h"

// Game number n of a made-up history: 30 strings from the n-th lesson (of
// twelve, round and round), n caught, with figures for 30 strings so that a
// write takes a while; from the second round on, lesson 1 in katakana.
inline GameRecord SampleGame(int n) {
  GameRecord game;
  game.playedAt = QDateTime(QDate(2026, 1, 1), QTime(12, 0), Qt::UTC).addSecs(60LL * n);
  game.lessonNo = 1 + (n - 1) % 12;
  game.speedLevel = 1 + n % 3;
  game.mojiTotal = game.presented = 30;
  game.caught = n % 31;
  game.meanCatchMs = game.caught ? 1000 + n : 0;
  if (n > 12 && game.lessonNo == 1) game.script = KanaScript::Katakana;
  for (int k = 0; k < 30; ++k) {
    const bool caught = k < game.caught;
    game.moji[InScript(QString(QChar(0x3042 + k)), game.script)] = {
        1, caught ? 1 : 0, caught ? 0 : 1, caught ? game.meanCatchMs : 0};
  }
  return game;
}
