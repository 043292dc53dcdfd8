#include "app/MainForm.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <algorithm>

#include "app/Closing.h"
#include "app/GameHistory.h"
#include "app/KeptSettings.h"
#include "history/HistoryRecord.h"
#include "platform/drawing/TextFont.h"
#include "platform/system/PassLoop.h"
#include "platform/system/Services.h"
#include "platform/windows/KanaTextBox.h"
#include "platform/windows/PlayfieldWidget.h"
#include "platform/windows/WindowFrame.h"
#include "rules/control/GameControl.h"
#include "rules/control/InputMatching.h"
#include "rules/kana/MojiTable.h"
#include "rules/kana/PlayfieldTexts.h"
#include "rules/kana/SettingsMenus.h"
#include "rules/kana/WordLessons.h"
#include "rules/kana/WordList.h"
#include "rules/media/BgmSwitch.h"
#include "screens/HistoryWords.h"
#include "screens/HowToUse.h"
#include "screens/InputTable.h"
#include "screens/RecordForm.h"
#include "screens/ResultsForm.h"
#include "screens/TitleForm.h"
#include "state/GameState.h"
#include "state/Pictures.h"

namespace {

constexpr const char* SpeedCaptions[3] = {"はやい", "ややはやい", "おそい"};
constexpr const char* MojiCountCaptions[3] = {"３０", "５０", "７０"};

// The menus' tooltips, in English for a player who reads little Japanese.
// Each lesson's names the strings of its slice of the kana table.
constexpr const char* LessonTips[LessonCount] = {
    "Lesson 1: あいうえお, small ぁぃぅぇぉ, かきくけこ",
    "Lesson 2: がぎぐげご, きゃ きぃ きゅ きぇ きょ, ぎゃ ぎぃ ぎゅ ぎぇ ぎょ, くぁ くぃ くぇ くぉ",
    "Lesson 3: さしすせそ, ざじずぜぞ, しゃ しぃ しゅ しぇ しょ, じゃ じぃ じゅ じぇ じょ",
    "Lesson 4: たちつてと, だぢづでど, でゃ でぃ でゅ でぇ でょ, ちゃ ちぃ ちゅ ちぇ ちょ",
    "Lesson 5: ぢゃ ぢぃ ぢゅ ぢぇ ぢょ, なにぬねの, にゃ にぃ にゅ にぇ にょ",
    "Lesson 6: はひふへほ, ばびぶべぼ, ぱぴぷぺぽ, ひゃ ひぃ ひゅ ひぇ ひょ",
    "Lesson 7: まみむめも, みゃ みぃ みゅ みぇ みょ, や ゆ いぇ よ",
    "Lesson 8: らりるれろ, りゃ りぃ りゅ りぇ りょ, わ を ん",
    "Lesson 9, rarer pairs: うぁ…うぉ, くゃ くゅ くょ くぅ, ぐぁ…ぐぉ, すぁ…すぉ, つぁ…つぉ, "
    "てゃ…てょ",
    "Lesson 10, rarer pairs: とぁ…とぉ, どぁ…どぉ, ふゃ ふゅ ふょ, ふぁ…ふぉ, びゃ…びょ, "
    "ぴゃ…ぴょ, small ゃゅょ",
    "All lessons: every string of the table"};
constexpr const char* SpeedTips[3] = {"Fast: a critter drops back at once",
                                      "Fairly fast: a critter stays up 2 or 3 seconds",
                                      "Slow: a critter stays up 4 to 6 seconds"};
constexpr const char* MojiCountTips[3] = {"30 strings a game", "50 strings a game",
                                          "70 strings a game"};

// Why a practice, にがてな文字 or にがてなことば, is greyed, or what it plays
// once it is not.
QString PracticeTip(const GameHistory& gameHistory, int practiceLessonNo, bool ready) {
  const bool words = practiceLessonNo == WordPracticeLessonNo;
  const QString strings = words ? QStringLiteral("words") : QStringLiteral("strings");
  if (ready)
    return words ? QString::fromUtf8(WordLessonTips[WordPracticeLessonNo - FirstWordLessonNo])
                 : QStringLiteral("Practice: the strings you miss or catch slowly come most");
  if (const QString why = WhyNotPlayable(practiceLessonNo, ChosenScript()); !why.isEmpty())
    return QStringLiteral("Not available: ") + why;
  const HistoryStatus& status = gameHistory.Keeper().Status();
  const bool keeps =
      status.outcome == OpenOutcome::Opened || status.outcome == OpenOutcome::Damaged;
  if (status.ready && !keeps)
    return QStringLiteral("Practice of your weak %1: opens once your games can be kept (see 記録)")
        .arg(strings);
  const int more = PracticeMinimumPresented - gameHistory.PresentedInChosenScript(practiceLessonNo);
  if (more <= 0)
    return QStringLiteral("Practice of your weak %1: opens with more games").arg(strings);
  return QStringLiteral("Practice of your weak %1: opens after %2 more %1 in any %3%4lesson")
      .arg(strings)
      .arg(more)
      .arg(Game.Katakana ? QStringLiteral("katakana ") : QString(),
           words ? QStringLiteral("word ") : QString());
}

}  // namespace

MainForm::MainForm() {
  setWindowTitle(QStringLiteral("かなキャッチ"));
  History = std::make_unique<GameHistory>([this] { HistoryChanged(); });
  Kept = std::make_unique<KeptSettings>();
  BuildControls();
  BuildMenus();
  SyncMenuChecks();
  // The results window stands over the playfield below the counter band: it
  // opens when a game ends by itself and closes when the next one starts or
  // a game is stopped; it says so when the game could not be kept. The 記録
  // window, which would hide the holes, closes when a game starts.
  Hooks.GameLeaving = [this] { CloseResultsForm(ResultsWindow); };
  Hooks.GameStarting = [this] {
    CloseRecordForm(RecordWindow);
    History->GameStarting();
  };
  Hooks.GameEnded = [this] {
    auto results = std::make_shared<QPointer<ResultsForm>>();
    const QString note = History->GameEnded([results](const SaveReport& report) {
      if (!report.saved && *results) (*results)->SayNotKept(NotKeptNote(report), report.error);
    });
    ShowResultsForm(ResultsWindow, this, PlayfieldBelowCountBand(), note);
    *results = ResultsWindow;
    ShareFileShortcuts(ResultsWindow);
  };
}

MainForm::~MainForm() {
  Hooks = {};
  // The side windows keep their places in this window's members: they go
  // before them.
  delete TitleWindow;
  delete RecordWindow;
  delete ResultsWindow;
  delete InPutWindow;
  platform::ChangeServices([](platform::Services& services) {
    services.text1 = nullptr;
    services.playfield = nullptr;
  });
}

void MainForm::BuildControls() {
  auto* inner = new QWidget(this);
  setCentralWidget(inner);

  MainPicture = new platform::PlayfieldWidget(AllPicture, inner);

  Command1 = new QPushButton(QStringLiteral("OK"), inner);
  Command1->setFont(platform::ToQFont({platform::ProportionalGothic, 14, false}));
  Command1->hide();
  connect(Command1, &QPushButton::clicked, [this] {
    Command1_Click(*Command1);
    platform::WakePassLoop();
  });

  Text1 = new KanaTextBox(inner);
  Text1->setFont(platform::ToQFont({platform::ProportionalGothic, 50, false}));
  Text1->hide();
  Text1->onKeyUp = [](int keyCode) { Text1_KeyUp(keyCode, 0); };
  // An input method may keep the release of the Enter that commits to
  // itself: match right after the commit, so a catch never waits on it.
  Text1->onCommit = [] { CheckInput(0); };
  // The game's routines show the playfield and read the box through the
  // platform's services, which this window hands its own.
  platform::ChangeServices([this](platform::Services& services) {
    services.text1 = Text1;
    services.playfield = MainPicture;
  });
}

QAction* MainForm::AddItem(QMenu* menu, const QString& caption, const char* tip,
                           std::function<void()> handler) {
  QAction* item = menu->addAction(caption);
  item->setToolTip(QString::fromUtf8(tip));
  menu->setToolTipsVisible(true);
  connect(item, &QAction::triggered, this, [this, handler = std::move(handler)] {
    handler();
    Kept->KeepChanges();
    SyncMenuChecks();
    platform::WakePassLoop();
  });
  return item;
}

void MainForm::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル"));
  Start = AddItem(file, QStringLiteral("スタート"), "Start a game (Ctrl+G)", Start_Click);
  Start->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  file->addSeparator();
  Stop = AddItem(file, QStringLiteral("ストップ"), "Stop the game (Ctrl+S)", Stop_Click);
  Stop->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  file->addSeparator();
  Quit = AddItem(file, QStringLiteral("おわり"), "Quit kanacatch (Ctrl+Q)",
                 [this] { Quit_Click(*this); });
  Quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

  QMenu* lesson = menuBar()->addMenu(QStringLiteral("レッスン"));
  for (int i = 1; i <= LessonMenuCount; ++i) {
    // にがてな文字's tooltip follows the history (ShowPracticeState).
    LessonCheck[i] = AddItem(lesson, QString::fromUtf8(LessonCaptions[i - 1]),
                             i <= LessonCount ? LessonTips[i - 1] : "", [this, i] {
                               LessonCheck_Click(i);
                               Kept->LessonChosen();
                             });
  }
  lesson->addSeparator();
  // The word lessons follow the word tables (ShowWordLessonState), and
  // にがてなことば the history too.
  for (int i = FirstWordLessonNo; i <= LastMenuLessonNo; ++i) {
    LessonCheck[i] = AddItem(lesson, QString::fromUtf8(WordLessonCaptions[i - FirstWordLessonNo]),
                             "", [this, i] {
                               LessonCheck_Click(i);
                               Kept->LessonChosen();
                             });
  }
  ShowPracticeState();
  lesson->addSeparator();
  RomajiHint = AddItem(lesson, QStringLiteral("ローマ字ヒント"),
                       "Romaji hint: each string shows the keys that type it, such as \"nu\"",
                       RomajiHint_Click);
  RomajiHint->setCheckable(true);
  Katakana = AddItem(
      lesson, QStringLiteral("カタカナ"),
      "Every string in katakana (ア, キャ) instead of hiragana, typed in katakana too", [this] {
        const bool katakana = Game.Katakana;
        Katakana_Click();
        if (Game.Katakana == katakana) return;  // refused during a game
        // A word lesson without a table in the new script gives way to the first lesson.
        if (!WhyNotPlayable(Game.LessonNo, ChosenScript()).isEmpty()) Game.LessonNo = 1;
        // The input table and 記録's practice plan follow the script; so does
        // the practice, which opens with the games of its own script: one not
        // open yet gives way to lesson 1, as at start-up.
        InPutScriptChanged(InPutWindow);
        if (RecordWindow) RecordWindow->Refresh();
        ShowPracticeState();
        for (const int practice : {PracticeLessonNo, WordPracticeLessonNo})
          if (Game.LessonNo == practice && !History->PracticeReady(practice)) Game.LessonNo = 1;
      });
  Katakana->setCheckable(true);
  QMenu* speed = menuBar()->addMenu(QStringLiteral("スピード"));
  for (int i = 1; i <= 3; ++i) {
    SpeedCheck[i] = AddItem(speed, QString::fromUtf8(SpeedCaptions[i - 1]), SpeedTips[i - 1],
                            [i] { SpeedCheck_Click(i); });
  }
  QMenu* count = menuBar()->addMenu(QStringLiteral("文字数"));
  for (int i = 1; i <= 3; ++i) {
    MojiCount[i] = AddItem(count, QString::fromUtf8(MojiCountCaptions[i - 1]), MojiCountTips[i - 1],
                           [i] { MojiCount_Click(i); });
  }
  for (QAction* item : LessonCheck) item->setCheckable(true);
  for (QAction* item : SpeedCheck) item->setCheckable(true);
  for (QAction* item : MojiCount) item->setCheckable(true);

  QMenu* bgm = menuBar()->addMenu(QStringLiteral("BGM"));
  BgmStop = AddItem(bgm, QStringLiteral("BGM停止"), "Music off", BgmStop_Click);
  BgmStop->setCheckable(true);

  QMenu* input = menuBar()->addMenu(QStringLiteral("入力表"));
  InPutShow = AddItem(input, QStringLiteral("入力表表示"),
                      "Show the table of kana and the keys that type them", [this] {
                        InPutShow_Click(InPutWindow);
                        ShareFileShortcuts(InPutWindow);
                      });

  QMenu* help = menuBar()->addMenu(QStringLiteral("つかいかた"));
  SubHelp = AddItem(help, QStringLiteral("つかいかた"), "How to use: where your fingers rest",
                    [this] { SubHelp_Click(*Command1, playfieldSize); });

  QMenu* record = menuBar()->addMenu(QStringLiteral("記録"));
  RecordShow = AddItem(record, QStringLiteral("記録表示"),
                       "Show your history: games, weak strings, progress by day", [this] {
                         RecordShow_Click(RecordWindow, History->Keeper(), this);
                         ShareFileShortcuts(RecordWindow);
                       });
}

void MainForm::HistoryChanged() {
  ShowPracticeState();
  Kept->HistoryRead(History->PracticeReady(), History->PracticeReady(WordPracticeLessonNo));
  SyncMenuChecks();
  if (RecordWindow) RecordWindow->Refresh();
}

void MainForm::ShowPracticeState() {
  for (const int lessonNo : {PracticeLessonNo, WordPracticeLessonNo}) {
    QAction* practice = LessonCheck[lessonNo];
    const bool ready = History->PracticeReady(lessonNo);
    practice->setEnabled(ready);
    practice->setToolTip(PracticeTip(*History, lessonNo, ready));
  }
}

void MainForm::ShowWordLessonState() {
  for (int i = FirstWordLessonNo; i < WordPracticeLessonNo; ++i) {
    const QString why = WhyNotPlayable(i, ChosenScript());
    LessonCheck[i]->setEnabled(why.isEmpty());
    LessonCheck[i]->setToolTip(why.isEmpty()
                                   ? QString::fromUtf8(WordLessonTips[i - FirstWordLessonNo])
                                   : QStringLiteral("Not available: ") + why);
  }
}

void MainForm::ShareFileShortcuts(QWidget* window) {
  if (window) window->addActions({Start, Stop, Quit});
}

QRect MainForm::PlayfieldBelowCountBand() const {
  // On a small screen the text box reaches a little below the band.
  const int band = std::max(CountBandRows(), Text1->geometry().bottom() + 1);
  return {MainPicture->mapToGlobal(QPoint(0, band)),
          QSize(playfieldSize.width(), playfieldSize.height() - band)};
}

void MainForm::SyncMenuChecks() {
  for (int i = 1; i <= LastMenuLessonNo; ++i) LessonCheck[i]->setChecked(Game.LessonNo == i);
  ShowWordLessonState();
  for (int i = 1; i <= 3; ++i) SpeedCheck[i]->setChecked(Game.SpeedLevel == i);
  for (int i = 1; i <= 3; ++i) MojiCount[i]->setChecked(Game.MojiTotal == MojiTotalOf(i));
  BgmStop->setChecked(Game.BgmOff);
  RomajiHint->setChecked(Game.RomajiHint);
  Katakana->setChecked(Game.Katakana);
  Text1->SetScript(ChosenScript());
}

void MainForm::SetPlayfieldSize(QSize playfield) {
  playfieldSize = playfield;
  const QSize window(playfield.width(), playfield.height() + menuBar()->sizeHint().height());
  platform::FixSize(*this, window);
}

void MainForm::ArrangeControls() {
  MainPicture->setGeometry(0, 0, playfieldSize.width(), playfieldSize.height());
  Text1->setGeometry((AllPicture.Width() - 125) / 2, 10, 125, 70);
  Text1->raise();
}

void MainForm::keyPressEvent(QKeyEvent* event) {
  // The results window leaves the keyboard here: Escape closes it from here
  // too, as it does in the window itself.
  if (event->key() == Qt::Key_Escape && ResultsWindow) {
    CloseResultsForm(ResultsWindow);
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void MainForm::closeEvent(QCloseEvent* event) {
  Form_QueryUnload(*this);
  Form_Unload(*this);
  event->accept();
  platform::WakePassLoop();
}
