#pragma once
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <memory>

#include "rules/kana/MojiTable.h"
#include "rules/kana/WordLessons.h"
#include "state/OneBased.h"

class QAction;
class QPushButton;

class GameHistory;
class InPutForm;
class KanaTextBox;
class KeptSettings;
class RecordForm;
class ResultsForm;
class TitleForm;

namespace platform {
class PlayfieldWidget;

}  // namespace platform

// The main window: the visible playfield MainPicture, the typed-input box
// Text1, the OK button Command1 of the how-to-use screen, and the menu bar
// from which the player starts and stops games and chooses the settings.
class MainForm : public QMainWindow {
 public:
  MainForm();
  ~MainForm() override;

  // Gives the playfield (the window's inner area below the menu bar) the
  // size `playfield`, and fixes the window to it.
  void SetPlayfieldSize(QSize playfield);
  QSize PlayfieldSize() const { return playfieldSize; }

  // Places the controls: the playfield over the whole inner area, the
  // typed-input box centred over the 640-pixel playfield near its top.
  void ArrangeControls();

  // Shows every menu check mark as the settings hold it: the chosen
  // lesson, speed and string count, whether the music is off, the hint on
  // and the strings in katakana; the text box's romaji writes that script.
  // The word lessons can be chosen where their script's table can be played.
  void SyncMenuChecks();

  platform::PlayfieldWidget* MainPicture = nullptr;
  KanaTextBox* Text1 = nullptr;
  QPushButton* Command1 = nullptr;

  QAction* Start = nullptr;
  QAction* Stop = nullptr;
  QAction* Quit = nullptr;
  OneBased<QAction*, LastMenuLessonNo> LessonCheck;
  OneBased<QAction*, 3> SpeedCheck;
  OneBased<QAction*, 3> MojiCount;
  QAction* RomajiHint = nullptr;
  QAction* Katakana = nullptr;
  QAction* BgmStop = nullptr;
  QAction* InPutShow = nullptr;
  QAction* SubHelp = nullptr;
  QAction* RecordShow = nullptr;

  // The windows beside this one, each while it is open, else null: the
  // title, which start-up shows first and which hands over to this window,
  // and the input table, 記録 and the results, which the menus and the
  // games open and close.
  QPointer<TitleForm> TitleWindow;
  QPointer<InPutForm> InPutWindow;
  QPointer<RecordForm> RecordWindow;
  QPointer<ResultsForm> ResultsWindow;

  // The history of games; start-up opens it once the title shows.
  std::unique_ptr<GameHistory> History;
  // The menu settings kept between runs; start-up reads them, and every
  // menu click that changes one writes it.
  std::unique_ptr<KeptSettings> Kept;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QSize playfieldSize{640, 480};

  void BuildMenus();
  void BuildControls();
  // Lets Ctrl+G, Ctrl+S and Ctrl+Q work while `window` (the results, the
  // input-table or the 記録 window) has the keyboard, so the player need not click back
  // into this window to start the next game.
  void ShareFileShortcuts(QWidget* window);
  // The playfield below the counter band and the text box, in screen pixels.
  QRect PlayfieldBelowCountBand() const;
  // The history was read or kept a game: the practice of weak strings can
  // be chosen once it has enough (a kept choice of it holds again), and an
  // open 記録 window shows it.
  void HistoryChanged();
  // Enables にがてな文字 and にがてなことば when the history has enough for
  // them in the chosen script; a greyed one's tooltip says why.
  void ShowPracticeState();
  // Enables each word lesson, 13 to 15, whose table in the chosen script
  // holds words of its lengths; a greyed one's tooltip says what is wrong with the file.
  void ShowWordLessonState();
  // Adds a menu item, with an English tooltip for a player who reads little
  // Japanese, that runs `handler` and then lets the game see the change: the
  // settings are kept, the check marks shown anew and the main loop makes a
  // pass.
  QAction* AddItem(QMenu* menu, const QString& caption, const char* tip,
                   std::function<void()> handler);
};
