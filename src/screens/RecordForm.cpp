#include "screens/RecordForm.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimeZone>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "history/DailyProgress.h"
#include "history/HistoryKeeper.h"
#include "history/HistorySummary.h"
#include "history/PracticePlanNow.h"
#include "platform/drawing/TextFont.h"
#include "platform/system/ProgramModule.h"
#include "platform/system/Screen.h"
#include "platform/system/WallClock.h"
#include "romaji/KanaScript.h"
#include "romaji/RomajiTable.h"
#include "romaji/WordSpelling.h"
#include "rules/kana/MojiTable.h"
#include "rules/kana/SettingsMenus.h"
#include "rules/kana/WordLessons.h"
#include "rules/kana/WordList.h"
#include "screens/CatchRateChart.h"
#include "screens/HistoryWords.h"
#include "state/GameState.h"

namespace {

constexpr int ChartGames = 30;
constexpr int WeakestCount = 10;
// The window's size where the screen has room; it shrinks to fit a small one.
constexpr QSize PreferredSize(560, 400);
// The frame and caption that the window system adds around the window.
constexpr QSize FrameAllowance(12, 48);

QString Percent(int percent) { return QString::number(percent) + QStringLiteral(" %"); }

// "12 ゲーム 80 % 1.2 秒": a day's or a week's games at a glance.
QString Glance(const DayProgress& games) {
  if (games.games == 0) return QStringLiteral("0 ゲーム");
  return QStringLiteral("%1 ゲーム %2 %3")
      .arg(games.games)
      .arg(Percent(CatchRateOf(MojiTally{games.presented, games.caught, 0, 0})),
           SecondsText(games.meanCatchMs));
}

// "あ行、か行 １" or "ことば ３文字", and for its katakana games
// "あ行、か行 １（カタカナ）".
QString LessonName(int lessonNo, KanaScript script) {
  const QString name =
      lessonNo >= 1 && lessonNo <= LessonMenuCount ? QString::fromUtf8(LessonCaptions[lessonNo - 1])
      : IsWordLesson(lessonNo) ? QString::fromUtf8(WordLessonCaptions[lessonNo - FirstWordLessonNo])
                               : QString::number(lessonNo);
  return script == KanaScript::Katakana ? name + QStringLiteral("（カタカナ）") : name;
}

// The chart's choice of a lesson in a script, as one number.
int ChartChoice(int lessonNo, KanaScript script) {
  return 2 * lessonNo + (script == KanaScript::Katakana ? 1 : 0);
}

// A table under `headings`, its rows as low as the text.
QTableWidget* NewTable(const QStringList& headings, QWidget* window) {
  auto* table = new QTableWidget(0, int(headings.size()));
  table->setHorizontalHeaderLabels(headings);
  table->verticalHeader()->hide();
  table->verticalHeader()->setDefaultSectionSize(window->fontMetrics().height() + 6);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setFocusPolicy(Qt::NoFocus);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  return table;
}

// The strings, or words, of `plan` that a practice asks for most, each with
// its figures in `totals`, as rows of `table`; a word's first cells are
// "いぬ（犬）" and its meaning, where a kana's is the kana alone.
void FillWeak(QTableWidget* table, std::vector<PracticeChoice> plan,
              const std::map<QString, MojiTally>& totals, bool words);

// Adds a row of `cells`: the first `textColumns` hold words, the others figures.
void AddRow(QTableWidget* table, const QStringList& cells, int textColumns) {
  const int row = table->rowCount();
  table->insertRow(row);
  for (int column = 0; column < cells.size(); ++column) {
    auto* item = new QTableWidgetItem(cells[column]);
    item->setTextAlignment((column < textColumns ? Qt::AlignLeft : Qt::AlignRight) |
                           Qt::AlignVCenter);
    table->setItem(row, column, item);
  }
}

}  // namespace

RecordForm::RecordForm(QPointer<RecordForm>& heldIn, const HistoryKeeper& keeper,
                       QWidget* mainWindow)
    : QDialog(mainWindow), heldIn(heldIn), keeper(keeper) {
  heldIn = this;
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(platform::ToQFont({platform::ProportionalGothic, 11, false}));

  Notice = new QLabel;
  Notice->setWordWrap(true);
  Lessons = NewTable({QStringLiteral("レッスン"), QStringLiteral("回数"), QStringLiteral("前回"),
                      QStringLiteral("最高"), QStringLiteral("平均時間")},
                     this);
  Lessons->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  Streak = new QLabel;
  Streak->setWordWrap(true);
  Days = NewTable({QStringLiteral("日付"), QStringLiteral("ゲーム"), QStringLiteral("出た数"),
                   QStringLiteral("つかまえた割合"), QStringLiteral("平均時間")},
                  this);
  Days->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  auto* daysTab = new QWidget;
  auto* daysPage = new QVBoxLayout(daysTab);
  daysPage->addWidget(Streak);
  daysPage->addWidget(Days, 1);
  Weakest = NewTable(
      {QStringLiteral("文字"), QStringLiteral("ローマ字"), QStringLiteral("わけ"),
       QStringLiteral("出る割合"), QStringLiteral("つかまえた"), QStringLiteral("平均時間")},
      this);
  Weakest->horizontalHeaderItem(3)->setToolTip(
      QStringLiteral("つぎの「にがてな文字」のゲームで出る割合"));
  WeakWords =
      NewTable({QStringLiteral("ことば"), QStringLiteral("意味"), QStringLiteral("ローマ字"),
                QStringLiteral("わけ"), QStringLiteral("出る割合"), QStringLiteral("つかまえた"),
                QStringLiteral("平均時間")},
               this);
  WeakWords->horizontalHeaderItem(4)->setToolTip(
      QStringLiteral("つぎの「にがてなことば」のゲームで出る割合"));
  for (const int column : {0, 1})
    WeakWords->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  ChartLesson = new QComboBox;
  auto* chartTab = new QWidget;
  chartPage = new QVBoxLayout(chartTab);
  auto* chooser = new QHBoxLayout;
  chooser->addWidget(new QLabel(QStringLiteral("レッスン")));
  chooser->addWidget(ChartLesson, 1);
  chartPage->addLayout(chooser);

  Pages = new QTabWidget;
  Pages->addTab(Lessons, QStringLiteral("レッスン別"));
  Pages->addTab(daysTab, QStringLiteral("日ごと"));
  Pages->addTab(chartTab, QStringLiteral("グラフ"));
  Pages->addTab(Weakest, QStringLiteral("にがてな文字"));
  Pages->addTab(WeakWords, QStringLiteral("にがてなことば"));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("閉じる"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Notice);
  layout->addWidget(Pages, 1);
  layout->addWidget(buttons);

  Refresh();
  connect(ChartLesson, &QComboBox::currentIndexChanged, this, [this] { FillChart(); });
}

void RecordForm::done(int result) {
  // Closed, the window is deleted once the event that closed it is over.
  if (heldIn == this) heldIn = nullptr;
  QDialog::done(result);
}

void RecordForm::Refresh() {
  const History& history = keeper.Games();
  setWindowTitle(history.games.empty()
                     ? QStringLiteral("記録")
                     : QStringLiteral("記録（%1 ゲーム）").arg(history.games.size()));
  const HistoryStatus& status = keeper.Status();
  QString notice = HistoryNotice(status);
  // Only where the next game will be kept.
  const bool keeps =
      (status.outcome == OpenOutcome::Opened || status.outcome == OpenOutcome::Damaged) &&
      !status.lastSaveFailed;
  if (status.ready && keeps && history.games.empty()) {
    if (!notice.isEmpty()) notice += QLatin1Char('\n');
    notice += QStringLiteral("まだ記録はありません。ゲームを最後まで遊ぶと、ここに記録されます。");
  }
  Notice->setText(notice);
  Notice->setVisible(!notice.isEmpty());
  Pages->setVisible(!history.games.empty());
  FillLessons();
  FillDays();
  FillWeakest();

  // The chosen lesson stays chosen; at first, the lesson being played.
  const int chosen = ChartLesson->count() ? ChartLesson->currentData().toInt()
                                          : ChartChoice(Game.LessonNo, ChosenScript());
  const QSignalBlocker quiet(ChartLesson);
  ChartLesson->clear();
  for (const LessonSummary& lesson : LessonSummaries(history)) {
    ChartLesson->addItem(LessonName(lesson.lessonNo, lesson.script),
                         ChartChoice(lesson.lessonNo, lesson.script));
  }
  ChartLesson->setCurrentIndex(std::max(0, ChartLesson->findData(chosen)));
  FillChart();
}

void RecordForm::FillLessons() {
  Lessons->setRowCount(0);
  for (const LessonSummary& lesson : LessonSummaries(keeper.Games())) {
    AddRow(Lessons,
           {LessonName(lesson.lessonNo, lesson.script), QString::number(lesson.games),
            Percent(lesson.lastRatePercent), Percent(lesson.bestRatePercent),
            SecondsText(lesson.meanCatchMs)},
           1);
  }
}

void RecordForm::FillDays() {
  const std::vector<DayProgress> days = DaysPlayed(keeper.Games(), QTimeZone::systemTimeZone());
  const QDate today = platform::WallClock().toLocalTime().date();
  Streak->setText(
      QStringLiteral("つづけて %1 日。今週 %2、先週 %3")
          .arg(DaysInARow(days, today))
          .arg(Glance(WeekUpTo(days, today)), Glance(WeekUpTo(days, today.addDays(-7)))));
  Days->setRowCount(0);
  for (auto day = days.rbegin(); day != days.rend(); ++day) {
    AddRow(Days,
           {DayText(day->day), QString::number(day->games), QString::number(day->presented),
            Percent(CatchRateOf(MojiTally{day->presented, day->caught, 0, 0})),
            SecondsText(day->meanCatchMs)},
           1);
  }
}

void RecordForm::FillChart() {
  delete Chart;
  Chart = nullptr;
  if (ChartLesson->count() == 0) return;
  QString error;
  const auto create = reinterpret_cast<CreateCatchRateChartFunction>(
      platform::ProgramModuleFunction(ChartModuleName, CreateCatchRateChartSymbol, &error));
  if (!create) {
    Chart = new QLabel(QStringLiteral("グラフは表示できません（%1）。").arg(error));
    static_cast<QLabel*>(Chart)->setWordWrap(true);
  } else {
    std::vector<ChartGame> games;
    const int choice = ChartLesson->currentData().toInt();
    const KanaScript script = choice % 2 ? KanaScript::Katakana : KanaScript::Hiragana;
    for (const GameRecord& game : LastGamesOf(keeper.Games(), choice / 2, script, ChartGames)) {
      const QDate day = game.playedAt.toLocalTime().date();
      games.push_back({double(CatchRateOf(game)), game.meanCatchMs / 1000.0,
                       QStringLiteral("%1/%2").arg(day.month()).arg(day.day())});
    }
    Chart = create(games, this);
  }
  chartPage->addWidget(Chart, 1);
}

void RecordForm::FillWeakest() {
  const History own = OfScript(keeper.Games(), ChosenScript());
  FillWeak(Weakest, PracticePlanNow(own, ChosenScript()), own.mojiTotals, false);
  FillWeak(WeakWords, WordPracticePlanNow(own, ChosenScript()), own.wordTotals, true);
}

namespace {

void FillWeak(QTableWidget* table, std::vector<PracticeChoice> plan,
              const std::map<QString, MojiTally>& totals, bool words) {
  table->setRowCount(0);
  double total = 0;
  for (const PracticeChoice& choice : plan) total += choice.weight;
  std::stable_sort(plan.begin(), plan.end(), [](const PracticeChoice& a, const PracticeChoice& b) {
    return a.weight > b.weight;
  });
  for (int row = 0; row < WeakestCount && row < int(plan.size()) && plan[row].weight > 0; ++row) {
    const PracticeChoice& choice = plan[row];
    const double share = 100 * choice.weight / total;
    const auto found = totals.find(choice.moji);
    const MojiTally tally = found == totals.end() ? MojiTally{} : found->second;
    QStringList cells = {choice.moji, FirstSpelling(HiraganaOf(choice.moji))};
    if (words) {
      const Word* word = WordOf(choice.moji);
      const bool written = word && word->written != word->kana;
      cells = {written ? QStringLiteral("%1（%2）").arg(word->kana, word->written) : choice.moji,
               word ? word->meaning : QString(), WordSpelling(choice.moji)};
    }
    cells << PracticeReasonWord(choice.reason)
          << (share >= 0.5 ? Percent(int(std::lround(share))) : QStringLiteral("1 % 未満"))
          << QStringLiteral("%1 / %2").arg(tally.caught).arg(tally.presented)
          << SecondsText(MeanCatchMsOf(tally));
    AddRow(table, cells, int(cells.size()) - 3);
  }
}

}  // namespace

void RecordShow_Click(QPointer<RecordForm>& form, const HistoryKeeper& keeper,
                      QWidget* mainWindow) {
  if (Game.GameRunning) return;
  if (!form) {
    // Held in `form` until it closes, and deleted then.
    new RecordForm(form, keeper, mainWindow);
    // Over the main window, wholly on the screen however small it is.
    const platform::ScreenSize screen = platform::ScreenPixels();
    const QSize size(std::min(PreferredSize.width(), screen.width - FrameAllowance.width()),
                     std::min(PreferredSize.height(), screen.height - FrameAllowance.height()));
    form->resize(size);
    const QPoint centre = mainWindow ? mainWindow->frameGeometry().center() : QPoint();
    const int x = std::clamp(centre.x() - size.width() / 2, 0,
                             std::max(0, screen.width - size.width() - FrameAllowance.width()));
    const int y = std::clamp(centre.y() - size.height() / 2, 0,
                             std::max(0, screen.height - size.height() - FrameAllowance.height()));
    form->move(x, y);
  }
  form->show();
  form->raise();
  form->activateWindow();
}

void CloseRecordForm(QPointer<RecordForm>& form) {
  RecordForm* open = form;
  if (!open) return;
  form = nullptr;
  // Deleted later, not here: Ctrl+G pressed in this window closes it from
  // inside the window's own key event.
  open->close();
}
