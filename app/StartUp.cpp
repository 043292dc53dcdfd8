#include "app/StartUp.h"

#include <memory>

#include "app/MainForm.h"
#include "app/WindowPlace.h"
#include "core/GameControl.h"
#include "core/MainLoop.h"
#include "game/GameState.h"
#include "game/Pictures.h"
#include "game/ScreenRule.h"
#include "kana/MojiTable.h"
#include "media/MediaLoading.h"
#include "platform/MessageBox.h"
#include "platform/SingleInstance.h"
#include "screens/TitleForm.h"

namespace {

// The frame and caption of a window, which its outer size includes.
constexpr int FrameWidth = 6;
constexpr int FrameAndCaptionHeight = 44;

// Puts `window` where the main window goes.
void PlaceOnScreen(QWidget& window) {
  window.move(MainWindowPlace(platform::ScreenPixels(), window.size()));
}

}  // namespace

QSize CalcFormSize(platform::ScreenSize screen) {
  if (FullSizeScreen(screen)) return {640, 480};
  return {640 - FrameWidth, 480 - FrameAndCaptionHeight};
}

void Form_Load(MainForm& form) {
  // Held for as long as the program runs.
  static std::unique_ptr<platform::SingleInstance> instance;
  instance = std::make_unique<platform::SingleInstance>();
  if (!instance->Acquire()) {
    platform::ShowMessage(QStringLiteral("このアプリケーションはすでに開かれています。"));
    platform::EndProgram();
    return;
  }

  const QSize playfield = CalcFormSize(platform::ScreenPixels());
  form.SetPlayfieldSize(playfield);
  auto* title = new TitleForm(&form);
  title->setFixedSize(form.size());
  PlaceOnScreen(form);
  PlaceOnScreen(*title);

  form.hide();
  title->show();
  SizePictures();
  form.ArrangeControls();

  const QImage titlePicture = ReadDataPicture("Title.jpg");
  if (titlePicture.isNull()) {
    platform::ShowMessage(QStringLiteral("画像データ読み込みエラー"));
    platform::EndProgram();
    return;
  }
  title->PaintTitle(titlePicture, QSize(playfield.width(), playfield.height() + 20));
  LoadPictures();
  LoadSounds();
  InitSettings();
  form.SyncMenuChecks();
  SetHoleRects();
  MakeMojiTable();

  MainLoop();
  // The close handlers have normally run already; closing again is harmless.
  if (form.isVisible()) form.close();
}
