#include "screens/ResultsForm.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "game/GameResults.h"
#include "game/GameState.h"
#include "platform/Screen.h"
#include "platform/TextFont.h"

namespace {

ResultsForm* theResultsForm = nullptr;

// Escaped strings per column before another column is begun, and the most
// columns: 70 different strings still fit across the smallest playfield.
constexpr int RowsPerColumn = 6;
constexpr int MaxColumns = 4;

QString Seconds(int ms) { return QString::number(ms / 1000.0, 'f', 1) + QStringLiteral(" 秒"); }

// The window's figures in one grid: each name with its figure right of it.
// The escaped strings stand in pairs of columns, row by row; the figures of
// the totals above them stand in the last column.
class FigureGrid {
 public:
  FigureGrid(QWidget* sheet, int pairs) : grid(new QGridLayout(sheet)), last(2 * pairs - 1) {
    grid->setHorizontalSpacing(16);
    // Room for the totals' figures where no column of strings makes it.
    if (pairs == 1) grid->setColumnMinimumWidth(last, 90);
  }

  void AddTotal(const QString& name, const QString& value) {
    grid->addWidget(new QLabel(name), row, 0, 1, last);
    AddFigure(row++, last, value);
  }
  // A line of text across the window.
  QLabel* AddLine(const QString& text) {
    auto* line = new QLabel(text);
    grid->addWidget(line, row++, 0, 1, last + 1);
    return line;
  }
  // The `i`th escaped string, from 0.
  void AddEscaped(int i, const QString& moji, int times) {
    const int pairs = (last + 1) / 2;
    const int at = row + i / pairs;
    const int column = 2 * (i % pairs);
    grid->addWidget(new QLabel(QStringLiteral("　") + moji), at, column);
    AddFigure(at, column + 1, QString::number(times) + QStringLiteral(" 回"));
  }
  void EndRows() { grid->setRowStretch(grid->rowCount(), 1); }

 private:
  void AddFigure(int at, int column, const QString& value) {
    auto* figure = new QLabel(value);
    figure->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(figure, at, column);
  }

  QGridLayout* grid;
  int last;
  int row = 0;
};

// A scroll area that asks for room for the whole of its sheet and its scroll
// bar: the window is as big as its content where the screen allows, and
// scrolls only where it does not.
class SheetArea : public QScrollArea {
 public:
  QSize sizeHint() const override {
    const QSize sheet = widget()->sizeHint();
    const int frame = 2 * frameWidth();
    return {sheet.width() + verticalScrollBar()->sizeHint().width() + frame,
            sheet.height() + frame};
  }
};

}  // namespace

ResultsForm::ResultsForm(const GameResults& results, QWidget* owner, const QString& note)
    : QDialog(owner) {
  theResultsForm = this;
  setWindowTitle(QStringLiteral("結果"));
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  // The player's last keys of the game still go to the text box.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFont(platform::ToQFont({platform::ProportionalGothic, 12, false}));

  const auto escaped = EscapedMostOftenFirst(results);
  const int count = static_cast<int>(escaped.size());
  auto* sheet = new QWidget;
  FigureGrid figures(sheet, std::clamp((count + RowsPerColumn - 1) / RowsPerColumn, 1, MaxColumns));
  figures.AddTotal(QStringLiteral("出た文字"), QString::number(results.presented));
  figures.AddTotal(QStringLiteral("つかまえた"), QString::number(results.caught));
  figures.AddTotal(QStringLiteral("つかまえた割合"),
                   QString::number(CatchRatePercent(results)) + QStringLiteral(" %"));
  figures.AddTotal(QStringLiteral("つかまえるまで (平均)"),
                   results.caught > 0 ? Seconds(MeanCatchMs(results)) : QStringLiteral("―"));
  if (!note.isEmpty()) figures.AddLine(note);
  notKept = figures.AddLine({});
  notKept->hide();
  figures.AddLine(QStringLiteral("にげた文字"));
  if (escaped.empty()) figures.AddLine(QStringLiteral("にげた文字はありません"));
  for (int i = 0; i < count; ++i) figures.AddEscaped(i, escaped[i].first, escaped[i].second);
  figures.EndRows();

  auto* area = new SheetArea;
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  area->setWidget(sheet);
  sheetArea = area;

  // Clicked only: a key press on the button (Enter, the space bar) does
  // not close the window.
  auto* ok = new QPushButton(QStringLiteral("OK"));
  ok->setAutoDefault(false);
  ok->setFocusPolicy(Qt::NoFocus);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(area, 1);
  layout->addWidget(ok, 0, Qt::AlignRight);
}

ResultsForm::~ResultsForm() {
  if (theResultsForm == this) theResultsForm = nullptr;
}

ResultsForm* ResultsForm::Instance() { return theResultsForm; }

void ResultsForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    reject();
    return;
  }
  event->ignore();
}

void ResultsForm::done(int result) {
  // Closed, the window is deleted once the event that closed it is over.
  if (theResultsForm == this) theResultsForm = nullptr;
  QDialog::done(result);
}

QRect ResultsPlace(QSize wanted, QRect area, QMargins frame, QRect screen) {
  const QRect onScreen = screen.marginsRemoved(frame);
  QRect room = area.marginsRemoved(frame) & onScreen;
  if (room.isEmpty()) room = onScreen;
  const QSize size = wanted.boundedTo(room.size());
  return {QPoint(room.left() + (room.width() - size.width()) / 2, room.top()), size};
}

void ResultsForm::SayNotKept(const QString& why, const QString& detail) {
  notKept->setText(why);
  notKept->setToolTip(detail);
  notKept->show();
  // The dialog's layout keeps the area's earlier size until told.
  sheetArea->updateGeometry();
  PlaceIn(area);
}

void ResultsForm::PlaceIn(QRect playfield) {
  area = playfield;
  QWidget* owner = parentWidget();
  // The owner's frame stands for the one the window system will give this
  // window, which is not known before it is shown.
  QMargins frame;
  if (owner) {
    const QRect outer = owner->frameGeometry();
    const QRect inner = owner->geometry();
    frame = {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
             outer.bottom() - inner.bottom()};
  }
  const platform::ScreenSize screen = platform::ScreenPixels();
  const QRect place =
      ResultsPlace(sizeHint(), area, frame, QRect(0, 0, screen.width, screen.height));
  // Of a fixed size, the window gets no resize handle: a frame like the
  // owner's, which is what its place allows for.
  setFixedSize(place.size());
  setGeometry(place);
}

void ShowResultsForm(QWidget* owner, QRect area, const QString& note) {
  CloseResultsForm();
  auto* form = new ResultsForm(Game.Results, owner, note);
  form->PlaceIn(area);
  form->show();
}

void CloseResultsForm() {
  ResultsForm* form = ResultsForm::Instance();
  if (!form) return;
  theResultsForm = nullptr;
  // Deleted later, not here: Ctrl+G pressed in this window closes it from
  // inside the window's own key event.
  form->close();
}
