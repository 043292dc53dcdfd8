// The 記録 window's chart through Qt Charts: the module
// libkanacatch_chart.so, loaded when the window first opens.
#include "screens/CatchRateChart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <set>

namespace {

// An axis from `bottom` to `top` with a tick every `step`.
QValueAxis* Axis(const QString& title, double bottom, double top, double step, const char* format,
                 const QFont& font) {
  auto* axis = new QValueAxis;
  axis->setTitleText(title);
  axis->setTitleFont(font);
  axis->setLabelsFont(font);
  axis->setRange(bottom, top);
  axis->setTickType(QValueAxis::TicksDynamic);
  axis->setTickAnchor(bottom);
  axis->setTickInterval(step);
  axis->setLabelFormat(QString::fromLatin1(format));
  return axis;
}

// The step between the seconds' ticks up to `top`: halves up to 2 s, then
// 1, 2, 5, 10, 20… so that there are never more than six steps, however
// slow a game was (one tick per second of a very long time never ends).
double SecondsStep(double top) {
  if (top <= 2) return 0.5;
  double step = 1;
  for (int k = 0; top / step > 6; ++k) step *= k % 3 == 1 ? 2.5 : 2;
  return step;
}

// The games along the bottom, at most six dates under them: the first game
// of each day, where there is room beside the last date shown.
QCategoryAxis* DatesAxis(const std::vector<ChartGame>& games, double last, const QFont& font) {
  auto* axis = new QCategoryAxis;
  axis->setTitleText(QStringLiteral("ゲーム（日付）"));
  axis->setTitleFont(font);
  axis->setLabelsFont(font);
  axis->setRange(1, last);
  axis->setStartValue(1);
  axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  const double room = (last - 1) / 6;
  std::set<QString> shown;
  double lastShown = -room;
  for (size_t n = 0; n < games.size(); ++n) {
    const double at = double(n + 1);
    const bool newDay = n == 0 || games[n].date != games[n - 1].date;
    if (!newDay || at - lastShown < room || !shown.insert(games[n].date).second) continue;
    axis->append(games[n].date, at);
    lastShown = at;
  }
  return axis;
}

}  // namespace

extern "C" Q_DECL_EXPORT QWidget* kanacatch_create_catch_rate_chart(
    const std::vector<ChartGame>& games, QWidget* parent) {
  auto* rate = new QLineSeries;
  rate->setName(QStringLiteral("つかまえた割合 (%)"));
  auto* time = new QLineSeries;
  time->setName(QStringLiteral("平均時間 (秒)"));
  double slowest = 1;
  for (size_t n = 0; n < games.size(); ++n) {
    rate->append(double(n + 1), games[n].catchRatePercent);
    time->append(double(n + 1), games[n].meanCatchSeconds);
    slowest = std::max(slowest, games[n].meanCatchSeconds);
  }
  for (QLineSeries* series : {rate, time}) series->setPointsVisible(games.size() < 2);

  const QFont font = parent ? parent->font() : QFont();
  auto* chart = new QChart;
  chart->addSeries(rate);
  chart->addSeries(time);
  chart->legend()->setFont(font);
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(2, 2, 2, 2));

  // Seconds in halves or more.
  const double last = std::max<double>(2, games.size());
  auto* played = DatesAxis(games, last, font);
  auto* percent = Axis(QStringLiteral("%"), 0, 100, 25, "%d", font);
  const double top = std::ceil(slowest * 2) / 2;
  auto* seconds = Axis(QStringLiteral("秒"), 0, top, SecondsStep(top), "%.1f", font);
  chart->addAxis(played, Qt::AlignBottom);
  chart->addAxis(percent, Qt::AlignLeft);
  chart->addAxis(seconds, Qt::AlignRight);
  rate->attachAxis(played);
  rate->attachAxis(percent);
  time->attachAxis(played);
  time->attachAxis(seconds);

  auto* view = new QChartView(chart, parent);
  view->setRenderHint(QPainter::Antialiasing);
  return view;
}
