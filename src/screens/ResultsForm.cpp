#include "screens/ResultsForm.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/drawing/TextFont.h"
#include "platform/system/Screen.h"
#include "rules/kana/WordLessons.h"
#include "rules/kana/WordList.h"
#include "state/GameResults.h"
#include "state/GameState.h"

namespace {

// Escaped strings per column before another column is begun, and the most
// columns: 70 different strings still fit across the smallest playfield.
constexpr int RowsPerColumn = 6;
constexpr int MaxColumns = 4;

// How many rows a key moves the list by, with `page` rows in view; 0 for a
// key that does not move it.
constexpr int ToAnEnd = 1 << 20;
int RowsMovedBy(const QKeyEvent& key, int page) {
  if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return 0;
  switch (key.key()) {
    case Qt::Key_Up:
      return -1;
    case Qt::Key_Down:
      return 1;
    case Qt::Key_PageUp:
      return -page;
    case Qt::Key_PageDown:
      return page;
    case Qt::Key_Home:
      return -ToAnEnd;
    case Qt::Key_End:
      return ToAnEnd;
    default:
      return 0;
  }
}

// The top and bottom of each row of `grid` that shows something, as it is
// laid out now.
std::vector<std::pair<int, int>> RowsOf(QGridLayout& grid) {
  std::vector<std::pair<int, int>> rows;
  for (int row = 0; row < grid.rowCount(); ++row) {
    const QRect cell = grid.cellRect(row, 0);
    if (cell.height() > 0) rows.emplace_back(cell.top(), cell.bottom() + 1);
  }
  return rows;
}

QString Seconds(int ms) { return QString::number(ms / 1000.0, 'f', 1) + QStringLiteral(" 秒"); }

// The window's figures in one grid: each name with its figure right of it.
// The escaped strings stand in pairs of columns, row by row; the figures of
// the totals above them stand in the last column.
class FigureGrid {
 public:
  FigureGrid(QWidget* sheet, int pairs) : grid(new QGridLayout(sheet)), last(2 * pairs - 1) {
    grid->setHorizontalSpacing(16);
    // The rows one spacing apart, and as far from the sheet's top and
    // bottom: scrolled by whole rows, the list then shows no row cut.
    const int spacing = std::max(0, grid->verticalSpacing());
    grid->setVerticalSpacing(spacing);
    const QMargins margins = grid->contentsMargins();
    grid->setContentsMargins(margins.left(), spacing, margins.right(), spacing);
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
  // The `i`th escaped word, from 0, a row of its own: its kana, its written
  // form where that differs, and its meaning.
  void AddWord(int i, const QString& kana, int times) {
    const Word* word = WordOf(kana);
    const int at = row + i;
    grid->addWidget(new QLabel(QStringLiteral("　") + kana), at, 0);
    if (word && word->written != kana) grid->addWidget(new QLabel(word->written), at, 1);
    if (word) grid->addWidget(new QLabel(word->meaning), at, 2);
    AddFigure(at, 3, QString::number(times) + QStringLiteral(" 回"));
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

  // Where the sheet, laid out by `rows`, is taller than `view`, ends the
  // view between two rows.
  void EndViewBetweenRows(int view, QGridLayout& rows) {
    setViewportMargins({});
    if (view >= widget()->sizeHint().height()) return;
    widget()->resize(widget()->sizeHint());
    rows.activate();
    int shown = view;
    for (const auto& [top, bottom] : RowsOf(rows)) {
      if (bottom > view) {
        shown = std::min(view, top);
        break;
      }
    }
    setViewportMargins(0, 0, 0, view - shown);
  }
};

}  // namespace

ResultsForm::ResultsForm(QPointer<ResultsForm>& heldIn, const GameResults& results, QWidget* owner,
                         const QString& note)
    : QDialog(owner), heldIn(heldIn) {
  heldIn = this;
  setWindowTitle(QStringLiteral("結果"));
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  // The player's last keys of the game still go to the text box.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFont(platform::ToQFont({platform::ProportionalGothic, 12, false}));

  const auto escaped = EscapedMostOftenFirst(results);
  const int count = static_cast<int>(escaped.size());
  // A word game lists each word that got away on a row of its own, in the
  // columns of two pairs: kana and written form, meaning and count.
  const bool words = IsWordLesson(Game.LessonNo);
  const QString strings = words ? QStringLiteral("ことば") : QStringLiteral("文字");
  auto* sheet = new QWidget;
  FigureGrid figures(
      sheet, words ? 2 : std::clamp((count + RowsPerColumn - 1) / RowsPerColumn, 1, MaxColumns));
  figures.AddTotal(QStringLiteral("出た") + strings, QString::number(results.presented));
  figures.AddTotal(QStringLiteral("つかまえた"), QString::number(results.caught));
  figures.AddTotal(QStringLiteral("つかまえた割合"),
                   QString::number(CatchRatePercent(results)) + QStringLiteral(" %"));
  figures.AddTotal(QStringLiteral("つかまえるまで (平均)"),
                   results.caught > 0 ? Seconds(MeanCatchMs(results)) : QStringLiteral("―"));
  if (!note.isEmpty()) figures.AddLine(note);
  notKept = figures.AddLine({});
  notKept->hide();
  figures.AddLine(QStringLiteral("にげた") + strings);
  if (escaped.empty()) figures.AddLine(QStringLiteral("にげた%1はありません").arg(strings));
  for (int i = 0; i < count; ++i) {
    const auto& [moji, times] = escaped[i];
    words ? figures.AddWord(i, moji, times) : figures.AddEscaped(i, moji, times);
  }
  figures.EndRows();

  auto* area = new SheetArea;
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  area->setWidget(sheet);
  sheetArea = area;
  figureRows = static_cast<QGridLayout*>(sheet->layout());

  // Clicked only: a key press on the button (Enter, the space bar) does
  // not close the window.
  auto* ok = new QPushButton(QStringLiteral("OK"));
  ok->setAutoDefault(false);
  ok->setFocusPolicy(Qt::NoFocus);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(area, 1);
  layout->addWidget(ok, 0, Qt::AlignRight);

  // The list's keys work from the main window too, which keeps the
  // keyboard, and before the text box or the list itself takes them.
  qApp->installEventFilter(this);
}

bool ResultsForm::eventFilter(QObject* target, QEvent* event) {
  // The menu bar keeps its own keys, and so does the text box while the
  // list has nothing to scroll.
  if (event->type() != QEvent::KeyPress || !target->isWidgetType() ||
      qobject_cast<QMenuBar*>(target) || sheetArea->verticalScrollBar()->maximum() == 0) {
    return false;
  }
  const QWidget* window = static_cast<QWidget*>(target)->window();
  if (window != this && window != parentWidget()) return false;
  // The list moves by whole rows, which all take the same height, so that
  // the rows at the view's top and bottom show whole.
  const std::vector<std::pair<int, int>> rows = RowsOf(*figureRows);
  if (rows.size() < 2) return false;
  const int pitch = rows[1].first - rows[0].first;
  const int page = std::max(1, sheetArea->viewport()->height() / pitch);
  const int moved = RowsMovedBy(*static_cast<QKeyEvent*>(event), page);
  if (moved == 0) return false;
  QScrollBar* bar = sheetArea->verticalScrollBar();
  const int top = moved > 0 ? bar->value() / pitch : (bar->value() + pitch - 1) / pitch;
  bar->setValue(std::clamp((top + moved) * pitch, 0, bar->maximum()));
  return true;
}

void ResultsForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    reject();
    return;
  }
  event->ignore();
}

void ResultsForm::done(int result) {
  // Closed, the window is deleted once the event that closed it is over.
  if (heldIn == this) heldIn = nullptr;
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
  EndViewBetweenRows(place.height());
}

void ResultsForm::EndViewBetweenRows(int windowHeight) {
  const int view = windowHeight - (sizeHint().height() - sheetArea->sizeHint().height());
  static_cast<SheetArea*>(sheetArea)->EndViewBetweenRows(view, *figureRows);
}

void ShowResultsForm(QPointer<ResultsForm>& form, QWidget* owner, QRect area, const QString& note) {
  CloseResultsForm(form);
  // Held in `form` until it closes, and deleted then.
  (new ResultsForm(form, Game.Results, owner, note))->PlaceIn(area);
  form->show();
}

void CloseResultsForm(QPointer<ResultsForm>& form) {
  ResultsForm* open = form;
  if (!open) return;
  form = nullptr;
  // Deleted later, not here: Ctrl+G pressed in this window closes it from
  // inside the window's own key event.
  open->close();
}
