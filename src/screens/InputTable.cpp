#include "screens/InputTable.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "platform/drawing/TextFont.h"
#include "platform/system/Messages.h"
#include "platform/system/Screen.h"
#include "rules/media/MediaLoading.h"
#include "state/GameState.h"

namespace {

constexpr int WindowTop = 25;
constexpr int ScrollBarWidth = 15;
constexpr int ScrollUnits = 10;
// Twips per pixel of the screens the table's picture was laid out for.
constexpr int TwipsPerPixel = 15;

// The line above the picture that says, in English, how to read a spelling
// such as "ku+xyo" (くょ: く, then a small ょ), in the table's script.
constexpr int NoteHeight = 18;
QString NoteText() {
  return Game.Katakana ? QStringLiteral("ku+xyo = type ku, then xyo (small ョ)")
                       : QStringLiteral("ku+xyo = type ku, then xyo (small ょ)");
}

// How far down the picture the largest scroll value reaches without the
// note.
int ReachWithoutNote(int screenHeight, int frameHeight) {
  return ScrollUnits * ScrollStep(screenHeight) + InPutFormInnerHeight(screenHeight, frameHeight);
}

// The table's picture ends above the least reach without the note: on the
// shortest screen that scrolls by 150 and under the tallest frame allowed
// for. The note takes its line from the picture only where the window still
// reaches that far with it, so on a few screens just over 480 pixels high
// under a tall frame the note gives way and the last row stays in reach.
bool ShowsNote(int screenHeight, int frameHeight) {
  constexpr int TallestFrame = 45;
  return ReachWithoutNote(screenHeight, frameHeight) - NoteHeight >=
         ReachWithoutNote(481, TallestFrame);
}

// The surface that holds the table picture and keeps it through scrolling
// and repaints.
class TablePicture : public QWidget {
 public:
  using QWidget::QWidget;
  QImage picture;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().base());
    if (!picture.isNull()) painter.drawImage(0, 0, picture);
  }
};

}  // namespace

int ScrollStep(int screenHeight) { return screenHeight > 480 ? 150 : 160; }

int InPutFormInnerHeight(int screenHeight, int frameHeight) {
  return screenHeight - WindowTop - frameHeight;
}

int InputTableReach(int screenHeight, int frameHeight) {
  return ReachWithoutNote(screenHeight, frameHeight) -
         (ShowsNote(screenHeight, frameHeight) ? NoteHeight : 0);
}

InPutForm::InPutForm(QPointer<InPutForm>& heldIn) : heldIn(heldIn) {
  heldIn = this;
  setWindowTitle(QStringLiteral("入力表"));
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setAttribute(Qt::WA_DeleteOnClose);
  Picture1 = new TablePicture(this);
  // Made after the picture, so the note stays over it as it scrolls.
  Note = new QLabel(this);
  Note->setFont(platform::ToQFont({platform::ProportionalGothic, 9}));
  Note->setAutoFillBackground(true);
  Note->setIndent(3);
  Note->hide();
  VScroll1 = new QScrollBar(Qt::Vertical, this);
  VScroll1->setRange(0, 0);
  VScroll1->setSingleStep(1);
  VScroll1->setPageStep(2);
  // The picture moves when the thumb is let go, not while it is dragged.
  VScroll1->setTracking(false);
  connect(VScroll1, &QScrollBar::valueChanged, this, [this] { VScroll1_Change(); });
}

void InPutForm::Form_Load() {
  const platform::ScreenSize screen = platform::ScreenPixels();
  move(0, WindowTop);
  FitToScreen();
  Picture1->setGeometry(-ScrollBarWidth, PictureTop(), width(), screen.height * TwipsPerPixel);
  DrawTable();
}

void InPutForm::DrawTable() {
  // Both pictures are the same height, so the scroll range and value stay.
  Note->setText(NoteText());
  QImage& shown = static_cast<TablePicture*>(Picture1)->picture;
  shown = ReadDataPicture(Game.Katakana ? "input-katakana.jpg" : "input.jpg");
  Picture1->update();
  if (shown.isNull()) {
    platform::ShowMessage(QStringLiteral("画像データ読み込みエラー"));
    return;
  }
  VScroll1->setMaximum(ScrollUnits);
}

void InPutForm::VScroll1_Change() {
  const int step = ScrollStep(platform::ScreenPixels().height);
  Picture1->move(Picture1->x(), PictureTop() - VScroll1->value() * step);
}

void InPutForm::FitToScreen() {
  // The frame's height is known once the window system has framed the
  // window; until then, and without a window manager, it counts as none.
  const int frameHeight = frameGeometry().height() - height();
  const int inner = InPutFormInnerHeight(platform::ScreenPixels().height, frameHeight);
  if (size() != QSize(InPutFormWidth, inner)) setFixedSize(InPutFormWidth, inner);
  const bool noteShown = ShowsNote(platform::ScreenPixels().height, frameHeight);
  if (noteShown != !Note->isHidden()) {
    Note->setVisible(noteShown);
    VScroll1_Change();
  }
}

int InPutForm::PictureTop() const { return Note->isHidden() ? 0 : NoteHeight; }

bool InPutForm::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  if (event->type() == QEvent::Move || event->type() == QEvent::Show) FitToScreen();
  return handled;
}

void InPutForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  VScroll1->setGeometry(width() - ScrollBarWidth, 0, ScrollBarWidth, height());
  Note->setGeometry(0, 0, width() - ScrollBarWidth, NoteHeight);
}

void InPutForm::closeEvent(QCloseEvent* event) {
  // Closed, the window is destroyed: the next opening builds it anew.
  if (heldIn == this) heldIn = nullptr;
  event->accept();
}

void InPutForm::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y() / 120;
  if (notches != 0) VScroll1->setValue(VScroll1->value() - notches);
  event->accept();
}

void InPutShow_Click(QPointer<InPutForm>& form) {
  // Held in `form` until it closes, and deleted then.
  if (!form) (new InPutForm(form))->Form_Load();
  form->show();
  form->raise();
  form->activateWindow();
}

void InPutScriptChanged(QPointer<InPutForm>& form) {
  if (form) form->DrawTable();
}

void UnloadInPutForm(QPointer<InPutForm>& form) {
  if (InPutForm* open = form) {
    open->close();
    delete open;
  }
}
