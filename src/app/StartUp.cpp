#include "app/StartUp.h"

#include <QPointer>
#include <cstdio>
#include <memory>
#include <utility>

#include "app/GameHistory.h"
#include "app/KeptSettings.h"
#include "app/MainForm.h"
#include "app/WindowPlace.h"
#include "platform/drawing/TextFont.h"
#include "platform/system/Messages.h"
#include "platform/windows/SingleInstance.h"
#include "platform/windows/WindowFrame.h"
#include "rules/control/GameControl.h"
#include "rules/control/MainLoop.h"
#include "rules/kana/MojiTable.h"
#include "rules/media/MediaLoading.h"
#include "screens/TitleForm.h"
#include "state/GameState.h"
#include "state/Pictures.h"
#include "state/ScreenRule.h"

namespace {

// The frame and caption of a window, which its outer size includes.
constexpr int FrameWidth = 6;
constexpr int FrameAndCaptionHeight = 44;

// Without an installed face that has kana every label, menu and counter
// would be an empty box and nobody could play, so the program says what to
// install and ends. The message is in English: no kana can be shown.
bool RefusedForWantOfKanaFont() {
  if (!platform::KanaFallbackFace().isEmpty()) return false;
  std::fputs("kanacatch: no installed font has kana; install fonts-ipafont-gothic\n", stderr);
  platform::ShowMessage(
      QStringLiteral("No installed font has kana,\n"
                     "so kanacatch cannot show its game.\n\n"
                     "Install a Japanese font, such as\n"
                     "fonts-ipafont-gothic, and start it again."));
  platform::EndProgram();
  return true;
}

// Reads the title picture and shows it on the title window at once, before
// the rest loads; false when it cannot be read. The picture as read, the
// largest of the data folder, is let go as soon as it is shown.
bool ShowTitlePicture(TitleForm& title, QSize playfield) {
  QImage picture = ReadDataPicture("Title.jpg");
  if (picture.isNull()) return false;
  title.PaintTitle(std::move(picture), QSize(playfield.width(), playfield.height() + 20));
  return true;
}

}  // namespace

QSize CalcFormSize(platform::ScreenSize screen) {
  if (FullSizeScreen(screen)) return {640, 480};
  return {640 - FrameWidth, 480 - FrameAndCaptionHeight};
}

void Form_Load(MainForm& form) {
  if (RefusedForWantOfKanaFont()) return;
  // Held for as long as the program runs.
  static std::unique_ptr<platform::SingleInstance> instance;
  instance = std::make_unique<platform::SingleInstance>();
  if (!instance->Acquire()) {
    // The running copy comes forward while the message shows, which waits
    // for nothing from it.
    instance->CallRunningCopy();
    platform::ShowMessage(
        QStringLiteral("このアプリケーションはすでに開かれています。\n"
                       "kanacatch is already running."));
    platform::EndProgram();
    return;
  }
  // A later copy brings forward the window the player has: the title while
  // it shows, else the main window.
  instance->AnswerLaterCopies([main = QPointer<MainForm>(&form)] {
    QWidget* shown = main ? main->TitleWindow.data() : nullptr;
    if (!shown) shown = main;
    if (shown) platform::BringForward(*shown);
  });

  const QSize playfield = CalcFormSize(platform::ScreenPixels());
  form.SetPlayfieldSize(playfield);
  auto* title = new TitleForm(&form);
  form.TitleWindow = title;
  platform::FixSize(*title, form.size());
  // Where the window with its frame does not fit the screen's work area,
  // the playfield shrinks with it and the title is painted anew to its size.
  const QSize wanted = form.size();
  KeepOnWorkArea(form, [&form, playfield, wanted](QSize inner) {
    form.SetPlayfieldSize(playfield - (wanted - inner));
    form.ArrangeControls();
    SetPlayfieldShrunk(inner != wanted);
  });
  KeepOnWorkArea(*title, [title, playfield, wanted](QSize inner) {
    platform::FixSize(*title, inner);
    ShowTitlePicture(*title, playfield - (wanted - inner));
  });

  form.hide();
  title->show();
  SizePictures();
  form.ArrangeControls();

  if (!ShowTitlePicture(*title, playfield - (wanted - title->size()))) {
    platform::ShowMessage(QStringLiteral("画像データ読み込みエラー"));
    platform::EndProgram();
    return;
  }
  LoadPictures();
  LoadSounds();
  LoadWordTables();
  InitSettings();
  // The settings of the last run over the defaults; before the history is
  // opened, whose reading decides whether a kept にがてな文字 holds.
  form.Kept->Read();
  form.SyncMenuChecks();
  SetHoleRects();
  MakeMojiTable();
  // Read on a thread of its own, while the title shows.
  form.History->Open();

  MainLoop();
  // The close handlers have normally run already; closing again is harmless.
  if (form.isVisible()) form.close();
}
