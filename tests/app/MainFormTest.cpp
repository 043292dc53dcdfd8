// The program's windows: the main window and its menus, the title, the
// how-to-use screen, the input table, the results and start-up.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "app/MainForm.h"
#include "app/StartUp.h"
#include "app/WindowPlace.h"
#include "platform/drawing/Picture.h"
#include "platform/system/Services.h"
#include "platform/windows/KanaTextBox.h"
#include "platform/windows/PlayfieldWidget.h"
#include "platform/windows/SingleInstance.h"
#include "rules/control/GameControl.h"
#include "rules/control/MainLoop.h"
#include "rules/kana/PlayfieldTexts.h"
#include "rules/kana/WordLessons.h"
#include "rules/kana/WordList.h"
#include "rules/media/MediaLoading.h"
#include "screens/HowToUse.h"
#include "screens/InputTable.h"
#include "screens/RecordForm.h"
#include "screens/ResultsForm.h"
#include "screens/TitleForm.h"
#include "state/GameState.h"
#include "state/Pictures.h"
#include "support/GameFixture.h"
#include "support/InputMethod.h"
#include "support/MediaFiles.h"
#include "support/PictureCheck.h"

namespace {

// Records the messages, and takes the title window's picture on the screen
// at the first one.
struct TitleAtMessage : MessageRecorder {
  explicit TitleAtMessage(const std::unique_ptr<MainForm>& form) : form(form) {}
  void Show(const QString& text) override {
    if (TitleForm* title = form->TitleWindow; title && shownTitle.isNull())
      shownTitle = title->screen()->grabWindow(title->winId()).toImage();
    MessageRecorder::Show(text);
  }
  const std::unique_ptr<MainForm>& form;
  QImage shownTitle;
};

// Posts a click to the title window as soon as it is shown, and notes how
// far start-up had got when the click was handled; then quits.
class ClickDuringStartUp : public QObject {
 public:
  explicit ClickDuringStartUp(MainForm& form) : form(form) {}
  bool eventFilter(QObject* target, QEvent* event) override {
    // Events reach the filter while the title is taken down too: only a
    // title still whole is one.
    auto* title = dynamic_cast<TitleForm*>(target);
    if (!title || title != form.TitleWindow) return false;
    if (event->type() == QEvent::Show) {
      QApplication::postEvent(
          title, new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5),
                                 Qt::RightButton, Qt::RightButton, Qt::NoModifier));
    } else if (event->type() == QEvent::MouseButtonPress) {
      loaded = !Game.KeyboardJpeg.isEmpty() && Game.MojiTotal > 0;
      loopLevel = QThread::currentThread()->loopLevel();
      ticks = title->TitleTicks;
      QMetaObject::invokeMethod(form.Quit, &QAction::trigger, Qt::QueuedConnection);
    }
    return false;
  }
  MainForm& form;
  int loopLevel = 0, ticks = -1;
  bool loaded = false;
};

// The main window over an empty data folder, with a plain background.
class Windows : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    platform::ChangeServices([this](platform::Services& s) {
      s.messages = &messages;
      s.programFolder = s.lockFolder = folder.path();
    });
    QDir(folder.path()).mkdir("Deta");
    for (const QString table : {"hiragana-words.txt", "katakana-words.txt"})
      QFile::copy(KANACATCH_WORD_TABLES "/" + table, folder.filePath("Deta/" + table));
    LoadWordTables();
    BackPicture.ImageToDrawIn().fill(QColor(120, 200, 250));
    NewMainWindow({1024, 768});
  }
  void TearDown() override {
    form.reset();  // and the windows it holds
    GameFixture::TearDown();
  }

  // The main window on a screen of `screen`, as start-up leaves it.
  void NewMainWindow(platform::ScreenSize screen) {
    form.reset();  // before the next one sets its hooks
    platform::ChangeServices([&](platform::Services& s) { s.screen = screen; });
    form = std::make_unique<MainForm>();
    form->SetPlayfieldSize(CalcFormSize(screen));
    form->ArrangeControls();
    form->move(MainWindowPlace(screen, form->size()));
    form->SyncMenuChecks();
  }

  void ShowForm() {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }

  static void Activate(QWidget* window) {
    window->activateWindow();
    // Not qWaitForWindowActive: it counts a dialog active when its owner is.
    ASSERT_TRUE(QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }));
  }

  // Each menu item as "menu: caption", "-" for a separator, followed by its
  // shortcut and by "checked" or "disabled" where it is so, and marked where
  // a player who reads little Japanese finds no English tooltip on it.
  QStringList MenuItems() const {
    QStringList items;
    for (QAction* top : form->menuBar()->actions())
      for (QAction* item : top->menu()->actions()) {
        QString line = top->text() + ": " + (item->isSeparator() ? "-" : item->text());
        if (!item->shortcut().isEmpty()) line += ' ' + item->shortcut().toString();
        if (item->isChecked()) line += " checked";
        if (!item->isEnabled()) line += " disabled";
        if (!item->isSeparator() && !(top->menu()->toolTipsVisible() &&
                                      item->toolTip().contains(QRegularExpression("[A-Za-z]{4}"))))
          line += " without an English tooltip";
        items << line;
      }
    return items;
  }

  // Ends a game of 70 strings in which `escaped` different strings escaped;
  // in a word lesson, the words with the longest meanings.
  ResultsForm* EndGame(int escaped) {
    Game.Results = {};
    Game.Results.presented = 70;
    std::vector<Word> words = Game.HiraganaWords.words;
    std::ranges::sort(words, std::greater{}, [](const Word& word) { return word.meaning.size(); });
    for (int i = 1; static_cast<int>(Game.Results.escaped.size()) < escaped; ++i)
      ++Game.Results.escaped[IsWordLesson(Game.LessonNo) ? words[i].kana : Game.MojiTable[i]];
    Hooks.GameEnded();
    return form->ResultsWindow.data();
  }

  void Write(const QString& name, QSize size, QColor colour) {
    WriteTestFile(folder.filePath("Deta/" + name),
                  JpegBytes(PlainPicture(size.width(), size.height(), colour)));
  }

  static bool ShowsBareBackground() { return AllPicture.Image() == BackPicture.Image(); }

  // The window manager offers no maximize button on a window of a fixed size.
  static void ExpectFixedSize(const QWidget* window) {
    const std::string name = window->windowTitle().toStdString();
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << name;
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint) << name;
  }

  QTemporaryDir folder;
  std::unique_ptr<MainForm> form;
  TitleAtMessage messages{form};
};

}  // namespace

// The checked items are the game's settings, brought up to date after every
// click. Qt toggles a checkable item before its handler runs; a refused click
// must not leave that toggle behind. A lesson's tooltip names the first and
// last strings of its slice of the table.
TEST_F(Windows, MenusShowTheSettingsAndRefuseEveryChangeDuringAGame) {
  // Each menu's items, "|" between them.
  const std::pair<QString, QString> menus[] = {
      {"ファイル", "スタート Ctrl+G|-|ストップ Ctrl+S|-|おわり Ctrl+Q"},
      {"レッスン",
       "あ行、か行 １ checked|か行 ２|さ行|た行 １|た行 ２、な行|は行|ま、や行|"
       "ら、わ、ん行|その他１|その他２|全行|にがてな文字 disabled|-|ことば ２文字|ことば ３文字|"
       "ことば ４・５文字|にがてなことば disabled|-|ローマ字ヒント|カタカナ"},
      {"スピード", "はやい|ややはやい|おそい checked"},
      {"文字数", "３０ checked|５０|７０"},
      {"BGM", "BGM停止"},
      {"入力表", "入力表表示"},
      {"つかいかた", "つかいかた"},
      {"記録", "記録表示"}};
  QStringList items;
  for (const auto& [menu, captions] : menus)
    for (const QString& caption : captions.split('|')) items << menu + ": " + caption;
  EXPECT_EQ(MenuItems(), items);
  for (int i = 1; i < LessonCount; ++i) {  // the last is the whole table
    const QString tip = form->LessonCheck[i]->toolTip();
    EXPECT_TRUE(tip.contains(EntriesOf(i).first()) && tip.contains(EntriesOf(i).last()))
        << tip.toStdString();
  }

  form->Start->trigger();
  for (QAction* item : {form->LessonCheck[9], form->LessonCheck[13], form->Katakana,
                        form->SpeedCheck[2], form->MojiCount[3], form->MojiCount[1]})
    item->trigger();
  EXPECT_EQ(MenuItems().filter(" checked"), items.filter(" checked")) << "every change refused";
  for (QAction* item : {form->RecordShow, form->SubHelp, form->InPutShow}) item->trigger();
  EXPECT_EQ(form->RecordWindow.data(), nullptr) << "記録 would hide the holes";
  EXPECT_TRUE(form->Command1->isHidden()) << "つかいかた would hide the holes";
  EXPECT_NE(form->InPutWindow.data(), nullptr);
}

// Without a table it can use, a script's word lessons are greyed, their
// tooltips naming the file and what is wrong; a word lesson chosen in the
// other script gives way to the first lesson when the script changes.
TEST_F(Windows, AWordTableThatCannotBeUsedGreysItsScriptsWordLessons) {
  WriteTestFile(folder.filePath("Deta/katakana-words.txt"), "テレビ\tテレビ\n");
  LoadWordTables();
  form->LessonCheck[15]->trigger();
  form->Katakana->trigger();
  EXPECT_EQ(MenuItems().filter(QRegularExpression("ことば|レッスン.*checked")),
            (QStringList{"レッスン: あ行、か行 １ checked", "レッスン: ことば ２文字 disabled",
                         "レッスン: ことば ３文字 disabled", "レッスン: ことば ４・５文字 disabled",
                         "レッスン: にがてなことば disabled", "レッスン: カタカナ checked"}));
  EXPECT_EQ(form->LessonCheck[13]->toolTip(),
            "Not available: katakana-words.txt in the data folder, line 1: not kana, written "
            "form and meaning, by tabs");
  form->Katakana->trigger();
  EXPECT_TRUE(form->LessonCheck[15]->isEnabled());
}

// Only Escape closes the results, from them or from the main window, so that
// an Enter meant for the text box does not throw them away unread. The File
// menu's keys work from every window; Ctrl+Q stops and closes the music.
TEST_F(Windows, TheFileKeysWorkFromEveryWindowAndOnlyEscapeClosesTheResults) {
  ShowForm();
  EXPECT_FALSE(form->Text1->isVisible());
  QTest::keyClick(form.get(), Qt::Key_G, Qt::ControlModifier);
  EXPECT_TRUE(Game.GameRunning && form->Text1->isVisible());
  QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(Game.GameRunning || form->Text1->isVisible());

  ResultsForm* results = EndGame(5);
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_A}) {
    QTest::keyClick(results, key);
    ASSERT_EQ(form->ResultsWindow.data(), results) << key;
  }
  QTest::keyClick(results, Qt::Key_Escape);
  EXPECT_EQ(form->ResultsWindow.data(), nullptr);
  EndGame(5);
  QTest::keyClick(form->Text1, Qt::Key_Escape);
  EXPECT_EQ(form->ResultsWindow.data(), nullptr);
  for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_G}) {
    form->RecordShow->trigger();
    Activate(form->RecordWindow.data());
    QTest::keyClick(form->RecordWindow.data(), key,
                    key == Qt::Key_G ? Qt::ControlModifier : Qt::NoModifier);
    EXPECT_EQ(form->RecordWindow.data(), nullptr) << "記録 closed by " << key;
  }
  EXPECT_TRUE(Game.GameRunning);
  Stop_Click();

  Activate(EndGame(5));
  QTest::keyClick(form->ResultsWindow.data(), Qt::Key_G, Qt::ControlModifier);
  EXPECT_TRUE(Game.GameRunning);
  EXPECT_EQ(form->ResultsWindow.data(), nullptr) << "the next game closes the results";
  form->InPutShow->trigger();
  Activate(form->InPutWindow.data());
  QTest::keyClick(form->InPutWindow.data(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(Game.GameRunning);
  Start_Click();
  music.commands.clear();
  QTest::keyClick(form->InPutWindow.data(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(Game.MainLoopActive || Game.GameRunning || form->isVisible());
  EXPECT_EQ(music.commands.mid(0, 2).join(' '), "stop close");
}

// Romaji catch at the release of their last letter, a lone n at Enter, and
// an input method's commit at once. A held key's repeats are not releases.
// カタカナ checked, the box's romaji writes katakana.
TEST_F(Windows, TypingIntoTheBoxCatchesAtTheRightKeyRelease) {
  ShowForm();
  form->Katakana->trigger();
  Start_Click();
  Raise(3, "キャ");
  for (const Qt::Key key : {Qt::Key_K, Qt::Key_Y}) QTest::keyClick(form->Text1, key);
  EXPECT_EQ(Game.CatchCount, 0);
  EXPECT_EQ(form->Text1->text(), "") << "pending letters are not part of the text";
  QTest::keyClick(form->Text1, Qt::Key_A);
  EXPECT_EQ(Game.CatchCount, 1);

  Raise(2, "ン");
  QTest::keyClick(form->Text1, Qt::Key_N);
  EXPECT_EQ(Game.CatchCount, 1);
  QTest::keyClick(form->Text1, Qt::Key_Return);
  EXPECT_EQ(Game.CatchCount, 2) << "ン at Enter, in the box the catch of キャ emptied";

  Raise(5, "しゃ");
  Compose(*form->Text1, "しゃ");
  EXPECT_EQ(Game.CatchCount, 2) << "text still being composed is not in the box";
  Compose(*form->Text1, "", "しゃ");
  EXPECT_EQ(Game.CatchCount, 3);

  Raise(1, "か");
  form->Text1->setText("か");
  QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a", true);
  QApplication::sendEvent(form->Text1, &repeated);
  EXPECT_EQ(Game.CatchCount, 3);
  QTest::keyRelease(form->Text1, Qt::Key_Shift);
  EXPECT_EQ(Game.CatchCount, 4);

  // A word, at its last letter and not by the kana typed before it.
  for (const auto& [script, word, keys] : {std::tuple{KanaScript::Katakana, "コーヒー", "ko-hi-"},
                                           {KanaScript::Hiragana, "ほんや", "honnya"},
                                           {KanaScript::Hiragana, "きって", "kitte"}}) {
    form->Text1->SetScript(script);
    Raise(6, word);
    const int caught = Game.CatchCount;
    for (const char key : std::string(keys)) {
      EXPECT_EQ(Game.CatchCount, caught) << word << " caught before " << key;
      QTest::keyClick(form->Text1, key);
    }
    EXPECT_EQ(Game.CatchCount, caught + 1) << word;
  }
}

// NoButton without a key stands for the title's own timer. Enter, Space and
// Escape hand over as a click does; another key leaves the title up.
TEST_F(Windows, TheTitleHandsOverOnItsEleventhTickOrAtOnceOnAnyMouseButtonEnterSpaceOrEscape) {
  const std::pair<Qt::MouseButton, Qt::Key> presses[] = {
      {Qt::NoButton, {}},   {Qt::LeftButton, {}}, {Qt::RightButton, {}}, {Qt::MiddleButton, {}},
      {{}, Qt::Key_Return}, {{}, Qt::Key_Enter},  {{}, Qt::Key_Space},   {{}, Qt::Key_Escape}};
  for (const auto& [button, key] : presses) {
    form->hide();
    QPointer<TitleForm> title = new TitleForm(form.get());
    title->show();
    EXPECT_FALSE(title->windowFlags() & Qt::WindowMaximizeButtonHint);
    AllPicture.ImageToDrawIn().fill(Qt::black);
    if (key) {
      QTest::keyPress(title.data(), Qt::Key_A);
      QTest::keyPress(title.data(), Qt::Key_Tab);
      EXPECT_FALSE(form->isVisible()) << "A and Tab leave the title up";
      QTest::keyPress(title.data(), key);
    } else if (button == Qt::NoButton) {
      for (int tick = 1; tick <= 10; ++tick) title->Timer1_Timer();
      EXPECT_FALSE(form->isVisible());
      title->Timer1_Timer();
    } else {
      QTest::mousePress(title.data(), button);
    }
    EXPECT_FALSE(title->Timer1.isActive()) << key;
    EXPECT_TRUE(form->isVisible()) << key;
    EXPECT_TRUE(ShowsBareBackground()) << key;
    EXPECT_FALSE(Game.GameRunning);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(title.isNull()) << "the title window is destroyed";
  }
}

TEST_F(Windows, HowToUseDrawsKeyboardTextsAndOkOutsideAGameAndOkBringsBackTheBackground) {
  Game.KeyboardJpeg = JpegBytes(PlainPicture(1024, 384, QColor(250, 200, 120)));
  form->show();
  form->Text1->show();
  SubHelp_Click(*form->Command1, form->PlayfieldSize());
  EXPECT_FALSE(form->Text1->isVisible());
  EXPECT_EQ(form->Command1->geometry(), QRect(540, 440, 80, 30));
  // The keyboard picture in plain orange (its JPEG decodes to 251, 200,
  // 121) with the finger names and the texts under it, on white, at 640 x 480.
  EXPECT_TRUE(MatchesReference(AllPicture.Image(), QStringLiteral(KANACATCH_PICTURE_REFERENCES),
                               "how-to-use", kPrintedText));
  // 634 x 436: w = 507.2 -> 507, h = 174.4 -> 174, x = 63.5 -> 64, the even
  // neighbour.
  const HowToUseLayout small = HowToUseLayoutFor({634, 436});
  EXPECT_EQ(std::tuple(small.w, small.h, small.x), std::tuple(507, 174, 64));

  form->Command1->click();
  EXPECT_FALSE(form->Command1->isVisible());
  EXPECT_TRUE(ShowsBareBackground());
  EXPECT_FALSE(form->Text1->isVisible()) << "only Start shows the box again";
}

TEST_F(Windows, TheInputTableStandsAtTheLeftScrollsByWholeStepsAndKeepsItsPlaceUntilClosed) {
  Write("input.jpg", {235, 2300}, QColor(255, 250, 230));
  InPutShow_Click(form->InPutWindow);
  InPutForm* table = form->InPutWindow.data();
  EXPECT_EQ(table->windowTitle(), "入力表");
  ExpectFixedSize(table);
  ExpectFixedSize(form.get());
  EXPECT_EQ(table->pos(), QPoint(0, 25));
  EXPECT_EQ(table->frameGeometry().height(), 768 - 25) << "frame and caption included";
  EXPECT_TRUE(table->Note->isVisible()) << "the line that explains ku+xyo";
  EXPECT_EQ(table->Picture1->geometry().topLeft(), QPoint(-15, table->Note->height()));
  EXPECT_EQ(table->Picture1->width(), 235);
  EXPECT_EQ(table->VScroll1->geometry(), QRect(220, 0, 15, table->height()));
  table->VScroll1->setValue(10);
  EXPECT_EQ(table->Picture1->y(), table->Note->height() - 1500);
  const int frame = table->frameGeometry().height() - table->height();
  EXPECT_EQ(table->height() - table->Picture1->y(), InputTableReach(768, frame))
      << "the picture's rows that the window shows at the largest value";
  platform::ChangeServices([&](platform::Services& s) { s.screen = {640, 480}; });
  table->VScroll1->setValue(4);
  EXPECT_EQ(table->Picture1->y(), table->Note->height() - 640);
  InPutShow_Click(form->InPutWindow);
  EXPECT_EQ(form->InPutWindow->VScroll1->value(), 4) << "showing it again keeps its place";
  // The カタカナ item redraws the open table in place; its picture missing,
  // it is reported as input.jpg is and the window goes on empty.
  Game.Katakana = true;
  for (const bool present : {false, true}) {
    if (present) Write("input-katakana.jpg", {235, 2300}, QColor(30, 60, 200));
    InPutScriptChanged(form->InPutWindow);
    EXPECT_EQ(table->Picture1->y(), table->Note->height() - 640) << "the place kept";
    const QImage shown = table->Picture1->grab(QRect(20, 700, 1, 1)).toImage();
    EXPECT_EQ(qRed(shown.pixel(0, 0)) < 100, present) << "カタカナ's table at once, or none";
    EXPECT_EQ(messages.messages.size(), 1u);
  }
  form->InPutWindow->close();
  EXPECT_EQ(form->InPutWindow.data(), nullptr);
  InPutShow_Click(form->InPutWindow);
  EXPECT_EQ(form->InPutWindow->VScroll1->value(), 0);
  const QImage shown = form->InPutWindow->Picture1->grab(QRect(20, 20, 1, 1)).toImage();
  EXPECT_LT(qRed(shown.pixel(0, 0)), 100) << "opened anew in カタカナ";
}

// Start-up refuses a second copy; the title is painted before the
// playfield's pictures are read, so a missing one is reported over it (a
// missing title, the damaged folders' starts).
// Start-up handles no event: a click that reaches the title meanwhile waits
// for the main loop, whose first pass hands over with all loaded and before
// the title's first tick.
TEST_F(Windows, StartUpPaintsTheTitleFirstAndHandlesAClickQueuedMeanwhileInTheMainLoop) {
  {
    platform::SingleInstance first(folder.path());
    ASSERT_TRUE(first.Acquire());
    EXPECT_THROW(Form_Load(*form), ProgramEnded);
    EXPECT_EQ(form->TitleWindow.data(), nullptr);
  }
  ClearGameState();
  EXPECT_THROW(Form_Load(*form), ProgramEnded);
  EXPECT_TRUE(messages.shownTitle.isNull());
  Write("Title.jpg", {64, 48}, QColor(240, 140, 20));
  EXPECT_THROW(Form_Load(*form), ProgramEnded);
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(Game.MainLoopActive) << "start-up stopped before the defaults and the loop";
  EXPECT_EQ(messages.messages,
            (std::vector<QString>{"このアプリケーションはすでに開かれています。\n"
                                  "kanacatch is already running.",
                                  "画像データ読み込みエラー", "画像データ読み込みエラー"}));
  const QImage& title = messages.shownTitle;
  ASSERT_FALSE(title.isNull());
  const QRgb middle = title.pixel(title.width() / 2, title.height() / 2);
  EXPECT_LT(std::abs(qRed(middle) - 240) + std::abs(qBlue(middle) - 20), 30);

  delete form->TitleWindow.data();
  Write("Back.jpg", {64, 48}, Qt::green);
  Write("KeyBorad.jpg", {64, 48}, Qt::gray);
  for (int k = 1; k <= 8; ++k)
    for (const char* kob : {"Kob%02d.jpg", "KobMask%02d.jpg"})
      Write(QString::asprintf(kob, k), {64, 48}, Qt::white);
  ClickDuringStartUp click(*form);
  qApp->installEventFilter(&click);
  QTimer::singleShot(3000, form->Quit, &QAction::trigger);  // should the click never come
  Form_Load(*form);
  qApp->removeEventFilter(&click);
  EXPECT_EQ(messages.messages.size(), 3u);
  EXPECT_EQ(std::tuple(click.loaded, click.loopLevel, click.ticks), std::tuple(true, 1, 0))
      << "in the main loop, all loaded, before a tick";
}

// 70 strings take the whole height there is below the counter band and the
// text box, and scroll; a few get a window as big as its content. Pressed in
// the results or in the text box, which keeps the keyboard when a game ends,
// the keys move the list by whole rows: at rest, on the way and at either end
// no row shows cut at the view's edges. After a word lesson, each word stands
// with its written form and meaning.
TEST_F(Windows, EveryEscapedStringOfTheResultsFitsBelowTheCountBandAndScrollsByWholeRows) {
  for (const int lesson : {11, 15})
    for (const platform::ScreenSize screen :
         {platform::ScreenSize{640, 480}, {800, 600}, {1024, 768}}) {
      SCOPED_TRACE(testing::Message() << lesson << " at " << screen.width << "x" << screen.height);
      Game.LessonNo = static_cast<int16_t>(lesson);
      NewMainWindow(screen);
      ShowForm();
      ResultsForm* results = EndGame(70);
      const QScrollArea* area = results->findChild<QScrollArea*>();
      const QScrollBar* bar = area->verticalScrollBar();
      ASSERT_TRUE(QTest::qWaitFor([bar] { return bar->isVisible(); }));
      const QRect window = results->frameGeometry();
      EXPECT_GE(window.top(), form->MainPicture->mapToGlobal(QPoint(0, CountBandRows())).y());
      EXPECT_FALSE(
          window.intersects(QRect(form->Text1->mapToGlobal(QPoint()), form->Text1->size())));
      const QPoint playfieldEnd(0, form->PlayfieldSize().height() - 1);
      EXPECT_EQ(window.bottom(), form->MainPicture->mapToGlobal(playfieldEnd).y());
      EXPECT_GE(area->viewport()->width(), area->widget()->sizeHint().width()) << "columns cut";
      QStringList texts;
      for (const QLabel* label : results->findChildren<QLabel*>()) texts << label->text();
      for (const auto& [moji, times] : Game.Results.escaped)
        EXPECT_TRUE(texts.contains("　" + moji) &&
                    (lesson < 15 || texts.contains(WordOf(moji)->meaning)))
            << moji.toStdString();
      const auto cutRows = [area] {
        QStringList cut;
        const QRect view = area->viewport()->rect();
        for (const QLabel* label : area->widget()->findChildren<QLabel*>()) {
          const QRect shown(label->mapTo(area->viewport(), QPoint()), label->size());
          if (label->isVisibleTo(area->widget()) && shown.intersects(view) && !view.contains(shown))
            cut << label->text();
        }
        return cut;
      };
      EXPECT_EQ(cutRows(), QStringList()) << "at rest";
      // A key, pressed in the results or else in the box, and the value it
      // moves to, or 1 and -1 for down and up.
      const int end = bar->maximum();
      const std::tuple<Qt::Key, bool, int> presses[] = {
          {Qt::Key_Down, true, 1},   {Qt::Key_PageDown, false, 1}, {Qt::Key_Up, true, -1},
          {Qt::Key_End, false, end}, {Qt::Key_PageUp, true, -1},   {Qt::Key_End, true, end},
          {Qt::Key_Home, false, 0}};
      int before = 0;
      for (const auto& [key, in, to] : presses) {
        const std::string pressed =
            (QKeySequence(key).toString() + (in ? " in the results" : " in the box")).toStdString();
        QTest::keyClick(in ? static_cast<QWidget*>(results) : form->Text1, key);
        EXPECT_EQ(std::abs(to) == 1 ? (bar->value() > before ? 1 : -1) : bar->value(), to)
            << pressed;
        EXPECT_EQ(cutRows(), QStringList()) << pressed;
        before = bar->value();
      }
      EXPECT_EQ(form->ResultsWindow.data(), results);
      const ResultsForm* few = EndGame(3);
      EXPECT_EQ(few->size(), few->sizeHint());
      ExpectFixedSize(few);
    }
}
