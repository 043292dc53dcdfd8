// The settings kept between runs: what the next run starts from, and what
// becomes of a file the program cannot use.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <tuple>

#include "app/KeptSettings.h"
#include "app/MainForm.h"
#include "rules/kana/MojiTable.h"
#include "state/GameState.h"
#include "support/GameFixture.h"
#include "support/MediaFiles.h"
#include "support/QtPrinters.h"

namespace {

class KeptSettingsTest : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    path = QSettings().fileName();
    Restart();
  }
  void TearDown() override {
    form.reset();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    GameFixture::TearDown();
  }

  // A new run, with no close of the last one: the defaults, then the file;
  // the katakana word table read or not.
  void Restart(bool katakanaWords = true) {
    form.reset();
    ClearGameState();
    InitSettings();
    ReadShippedWordTables();
    if (!katakanaWords) Game.KatakanaWords = {};
    form = std::make_unique<MainForm>();
    form->Kept->Read();
    form->SyncMenuChecks();
  }

  QString Checked() const {
    QStringList checked;
    for (QAction* top : form->menuBar()->actions())
      for (QAction* item : top->menu()->actions())
        if (item->isChecked()) checked << item->text();
    return checked.join('|');
  }

  static QByteArray Bytes(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
  }

  QTemporaryDir folder;
  QString path;
  std::unique_ptr<MainForm> form;
};

}  // namespace

// Each click is written as it happens; a kept word lesson holds where its
// table could be read, and a kept practice (にがてな文字 or にがてなことば)
// waits for the history, and
// holds only where the practice is open, the file keeping each for a run
// where it does.
TEST_F(KeptSettingsTest, TheNextRunStartsFromEveryChangeAndFromThePracticeOnlyWhereItIsOpen) {
  EXPECT_EQ(Checked(), "あ行、か行 １|おそい|３０");
  for (QAction* item : {form->LessonCheck[14], form->SpeedCheck[1], form->MojiCount[3],
                        form->RomajiHint, form->Katakana, form->BgmStop})
    item->trigger();
  Restart();
  EXPECT_EQ(Checked(), "ことば ３文字|ローマ字ヒント|カタカナ|はやい|７０|BGM停止");
  Restart(false);
  EXPECT_EQ(Game.LessonNo, 1) << "ことば ３文字 without its katakana table";
  for (QAction* item : {form->RomajiHint, form->Katakana}) item->trigger();
  Restart();
  EXPECT_EQ(Checked(), "ことば ３文字|はやい|７０|BGM停止") << "switched off again";

  for (const int practice : {PracticeLessonNo, WordPracticeLessonNo}) {
    form->LessonCheck[practice]->setEnabled(true);
    form->LessonCheck[practice]->trigger();
    for (const bool open : {false, true}) {
      Restart();
      EXPECT_EQ(Game.LessonNo, 1) << "before the history is read";
      form->Kept->HistoryRead(open && practice == PracticeLessonNo,
                              open && practice == WordPracticeLessonNo);
      EXPECT_EQ(Game.LessonNo, open ? practice : 1) << practice << " open: " << open;
    }
  }
  for (const bool chosen : {true, false}) {
    Restart();
    if (chosen) form->LessonCheck[1]->trigger();  // already checked, and chosen
    form->Kept->HistoryRead(true, true);
    EXPECT_EQ(Game.LessonNo, 1) << "あ行 chosen while にがてな文字 waited; this run: " << chosen;
  }
}

// A value outside its set gives its default and stays in the file, beside
// keys it does not know; a file that is no settings file gives every default
// and is set aside byte for byte at the first change; a read-only file is
// never written, nor set aside.
TEST_F(KeptSettingsTest, AFileItCannotUseGivesTheDefaultsAndLosesNothing) {
  const QString defaults = "あ行、か行 １|おそい|３０";
  const QByteArray outOfSets =
      "[General]\nlesson=17\nspeed=0\nstrings=40\nromaji_hint=1\nkatakana=on\nother=x\n";
  const QByteArray garbage = "lesson=3\n\xff\xfe[[[\x01";
  // The file, whether it is read-only, the checked items, and its keys after
  // a click (empty: the file as it was).
  const std::tuple<QByteArray, bool, QString, QString> cases[] = {
      {outOfSets, false, defaults,
       "katakana=on|lesson=17|other=x|romaji_hint=1|speed=1|strings=40"},
      {garbage, false, defaults, "speed=1"},
      {garbage, true, defaults, ""},
      {"[General]\nlesson=3\n", true, "さ行|おそい|３０", ""}};
  for (const auto& [bytes, readOnly, checked, keysAfterAClick] : cases) {
    SCOPED_TRACE(bytes.toStdString() + (readOnly ? " read-only" : ""));
    QDir(folder.path()).removeRecursively();
    QDir().mkpath(QFileInfo(path).path());
    WriteTestFile(path, bytes);
    if (readOnly) QFile::setPermissions(path, QFile::ReadOwner);
    Restart();
    EXPECT_EQ(Checked(), checked);
    EXPECT_EQ(Bytes(path), bytes) << "nothing written before a change";

    form->SpeedCheck[1]->trigger();
    const QString aside =
        QFileInfo(path).path() + '/' + QFileInfo(path).completeBaseName() + "-damaged.conf";
    if (keysAfterAClick.isEmpty()) {
      EXPECT_EQ(Bytes(path), bytes);
    } else {
      QSettings file(path, QSettings::IniFormat);
      QStringList keys;
      for (const QString& key : file.allKeys()) keys << key + '=' + file.value(key).toString();
      EXPECT_EQ(keys.join('|'), keysAfterAClick);
    }
    EXPECT_EQ(Bytes(aside), bytes == garbage && !readOnly ? bytes : "(none)");
  }
}
