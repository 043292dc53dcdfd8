#pragma once
#include <QString>
#include <vector>

class QWidget;

// One game on the 記録 window's chart.
struct ChartGame {
  double catchRatePercent = 0;
  double meanCatchSeconds = 0;  // 0 when nothing was caught
  QString date;                 // the day it was played, as the axis shows it
};

// The chart lives in a module of its own beside the program
// (libkanacatch_chart.so), so that Qt Charts loads only when the 記録
// window first opens. Its one entry point draws the catch rate, and the mean
// time to a catch, of `games` (oldest first) into a new widget, the games
// along the bottom with the date of each day's first game.
using CreateCatchRateChartFunction = QWidget* (*)(const std::vector<ChartGame>& games,
                                                  QWidget* parent);
constexpr const char* ChartModuleName = "kanacatch_chart";
constexpr const char* CreateCatchRateChartSymbol = "kanacatch_create_catch_rate_chart";
