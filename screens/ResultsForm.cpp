#include "screens/ResultsForm.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "game/GameResults.h"
#include "game/GameState.h"
#include "platform/Screen.h"
#include "platform/TextFont.h"

namespace {

ResultsForm* theResultsForm = nullptr;

QLabel* AddRow(QGridLayout* grid, const QString& name, const QString& value) {
  const int row = grid->rowCount();
  grid->addWidget(new QLabel(name), row, 0);
  auto* figure = new QLabel(value);
  figure->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  grid->addWidget(figure, row, 1);
  return figure;
}

QString Seconds(int ms) { return QString::number(ms / 1000.0, 'f', 1) + QStringLiteral(" 秒"); }

}  // namespace

ResultsForm::ResultsForm(const GameResults& results) {
  theResultsForm = this;
  setWindowTitle(QStringLiteral("結果"));
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(platform::ToQFont({platform::ProportionalGothic, 12, false}));

  auto* grid = new QGridLayout;
  grid->setColumnMinimumWidth(1, 90);
  AddRow(grid, QStringLiteral("出た文字"), QString::number(results.presented));
  AddRow(grid, QStringLiteral("つかまえた"), QString::number(results.caught));
  AddRow(grid, QStringLiteral("つかまえた割合"),
         QString::number(CatchRatePercent(results)) + QStringLiteral(" %"));
  AddRow(grid, QStringLiteral("つかまえるまで (平均)"),
         results.caught > 0 ? Seconds(MeanCatchMs(results)) : QStringLiteral("―"));

  const auto escaped = EscapedMostOftenFirst(results);
  auto* heading = new QLabel(QStringLiteral("にげた文字"));
  grid->addWidget(heading, grid->rowCount(), 0, 1, 2);
  if (escaped.empty()) {
    grid->addWidget(new QLabel(QStringLiteral("にげた文字はありません")), grid->rowCount(), 0, 1,
                    2);
  }
  for (const auto& [moji, times] : escaped) {
    AddRow(grid, QStringLiteral("　") + moji, QString::number(times) + QStringLiteral(" 回"));
  }

  auto* ok = new QPushButton(QStringLiteral("OK"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  grid->addWidget(ok, grid->rowCount(), 1);
  setLayout(grid);
}

ResultsForm::~ResultsForm() {
  if (theResultsForm == this) theResultsForm = nullptr;
}

ResultsForm* ResultsForm::Instance() { return theResultsForm; }

void ShowResultsForm(const QWidget* mainWindow) {
  CloseResultsForm();
  auto* form = new ResultsForm(Game.Results);
  form->adjustSize();
  if (mainWindow) {
    // Beside the main window: to its right where the screen has room, else
    // to its left, and never off the screen.
    const QRect frame = mainWindow->frameGeometry();
    const int screenWidth = platform::ScreenPixels().width;
    int x = frame.right() + 8;
    if (x + form->width() > screenWidth) x = frame.left() - 8 - form->width();
    x = std::clamp(x, 0, std::max(0, screenWidth - form->width()));
    form->move(x, frame.top());
  }
  form->show();
}

void CloseResultsForm() { delete ResultsForm::Instance(); }
