#include "app/KeptSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>

#include "rules/kana/MojiTable.h"
#include "rules/kana/SettingsMenus.h"
#include "rules/kana/WordLessons.h"
#include "rules/kana/WordList.h"
#include "state/GameState.h"

namespace {

// The keys of the file's [General] group.
constexpr auto LessonKey = "lesson";  // 1 to 16; 12 is にがてな文字, 13 to 16 words
constexpr auto SpeedKey = "speed";    // 1 はやい, 2 ややはやい, 3 おそい
constexpr auto MojiTotalKey = "strings";
constexpr auto RomajiHintKey = "romaji_hint";
constexpr auto KatakanaKey = "katakana";
constexpr auto BgmOffKey = "music_off";

// The user's file alone: settings for every user of the machine are not read.
struct SettingsFile : QSettings {
  SettingsFile() { setFallbacksEnabled(false); }
};

std::optional<int> Whole(const QSettings& file, const char* key, int low, int high) {
  bool ok = false;
  const int value = file.value(key).toString().toInt(&ok);
  if (!ok || value < low || value > high) return std::nullopt;
  return value;
}

std::optional<bool> Flag(const QSettings& file, const char* key) {
  const QString text = file.value(key).toString();
  if (text == QLatin1String("true")) return true;
  if (text == QLatin1String("false")) return false;
  return std::nullopt;
}

// Whether `bytes` can be a settings file: UTF-8 lines, each blank, a
// comment, a [group] or a key=value. What QSettings makes of anything else
// is no setting the player chose.
bool LooksLikeSettings(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8(bytes);
  if (utf8.hasError()) return false;
  for (const QStringView raw : QStringView(text).tokenize(u'\n')) {
    const QStringView line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#') || line.contains(u'='))
      continue;
    if (!line.startsWith(u'[') || !line.endsWith(u']')) return false;
  }
  return true;
}

}  // namespace

KeptSettings::Values KeptSettings::OfGame() {
  return {Game.LessonNo,   Game.SpeedLevel, Game.MojiTotal,
          Game.RomajiHint, Game.BgmOff,     Game.Katakana};
}

void KeptSettings::Read() {
  SettingsFile file;
  path = file.fileName();
  const QFileInfo info(path);
  QFile bytes(path);
  if (info.exists()) {
    const bool readable = bytes.open(QIODevice::ReadOnly);
    readOnly = !readable || !info.isWritable() || !info.permission(QFileDevice::WriteOwner);
    damaged =
        !readable || !LooksLikeSettings(bytes.readAll()) || file.status() != QSettings::NoError;
  }
  if (!damaged) {
    if (const auto speed = Whole(file, SpeedKey, 1, 3))
      Game.SpeedLevel = static_cast<int16_t>(*speed);
    if (const auto total = Whole(file, MojiTotalKey, 0, INT16_MAX)) {
      for (int i = 1; i <= 3; ++i)
        if (MojiTotalOf(i) == *total) Game.MojiTotal = MojiTotalOf(i);
    }
    if (const auto hint = Flag(file, RomajiHintKey)) Game.RomajiHint = *hint;
    if (const auto off = Flag(file, BgmOffKey)) Game.BgmOff = *off;
    if (const auto katakana = Flag(file, KatakanaKey)) Game.Katakana = *katakana;
    // After the script: a word lesson whose table of that script could not
    // be read cannot be played in this run.
    if (const auto lesson = Whole(file, LessonKey, 1, LastMenuLessonNo)) {
      const bool practice = *lesson == PracticeLessonNo || *lesson == WordPracticeLessonNo;
      practiceWaiting = static_cast<int16_t>(practice ? *lesson : 0);
      if (!practiceWaiting && WhyNotPlayable(*lesson, ChosenScript()).isEmpty())
        Game.LessonNo = static_cast<int16_t>(*lesson);
    }
  }
  kept = OfGame();
}

void KeptSettings::KeepChanges() {
  if (!kept) return;
  const Values now = OfGame();
  if (now == *kept) return;
  const Values was = *kept;
  kept = now;
  if (now.lessonNo != was.lessonNo) practiceWaiting = 0;
  if (readOnly) return;
  if (damaged) {
    // Only a file that keeps none of the player's settings is started anew.
    if (!SetAside()) {
      readOnly = true;
      return;
    }
    damaged = false;
  }
  SettingsFile file;
  if (now.lessonNo != was.lessonNo) file.setValue(LessonKey, now.lessonNo);
  if (now.speedLevel != was.speedLevel) file.setValue(SpeedKey, now.speedLevel);
  if (now.mojiTotal != was.mojiTotal) file.setValue(MojiTotalKey, now.mojiTotal);
  if (now.romajiHint != was.romajiHint) file.setValue(RomajiHintKey, now.romajiHint);
  if (now.bgmOff != was.bgmOff) file.setValue(BgmOffKey, now.bgmOff);
  if (now.katakana != was.katakana) file.setValue(KatakanaKey, now.katakana);
}

void KeptSettings::HistoryRead(bool practiceReady, bool wordPracticeReady) {
  if (!practiceWaiting) return;
  const int16_t waiting = practiceWaiting;
  practiceWaiting = 0;
  if (!(waiting == PracticeLessonNo ? practiceReady : wordPracticeReady) || Game.GameRunning)
    return;
  Game.LessonNo = waiting;
  kept->lessonNo = waiting;
}

void KeptSettings::LessonChosen() {
  if (!practiceWaiting || Game.GameRunning || !kept) return;
  practiceWaiting = 0;
  kept->lessonNo = 0;  // no lesson: the one shown differs, and is written
}

bool KeptSettings::SetAside() const {
  const QFileInfo file(path);
  QString aside;
  for (int n = 1; aside.isEmpty() || QFileInfo::exists(aside); ++n) {
    aside = file.dir().filePath(file.completeBaseName() + QStringLiteral("-damaged") +
                                (n > 1 ? QStringLiteral("-%1").arg(n) : QString()) +
                                QStringLiteral(".") + file.suffix());
  }
  return QFile::rename(path, aside);
}
