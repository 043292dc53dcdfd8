#pragma once
#include <QString>
#include <cstdint>
#include <optional>

// The menu settings that the next run starts from: the lesson, speed, string
// count, romaji hint, katakana and music switch, kept with QSettings in the
// user's configuration folder (kanacatch/kanacatch.conf there, after the
// organisation and application names), each written as soon as it changes.
//
// Nothing in the file is ever lost. A value outside its setting's set leaves
// that setting at its default and stays in the file until the player chooses
// that setting anew. A file that is not a settings file at all gives every
// default, and is renamed kanacatch-damaged.conf, byte for byte, only when
// the player first changes something. A file that may not be written (its
// owner has no write permission, or it cannot be read) is never written.
class KeptSettings {
 public:
  // Start-up, once InitSettings has set the defaults: each setting found in
  // the file within its set replaces its default. A kept practice,
  // にがてな文字 or にがてなことば, waits for the history (HistoryRead);
  // lesson 1 stands until then.
  void Read();

  // After a menu click: writes each setting that changed since the file was
  // read or last written. Nothing before Read.
  void KeepChanges();

  // The history has been read, or could not be: a kept practice is chosen
  // again if it can be played (にがてな文字 when `practiceReady`,
  // にがてなことば when `wordPracticeReady`) and no game runs; otherwise
  // lesson 1 stays, and the file keeps its choice for a later run. Only the
  // first call after Read counts.
  void HistoryRead(bool practiceReady, bool wordPracticeReady = false);

  // A lesson item was clicked outside a game, even the one already checked:
  // the player chose, so a kept practice waits no longer and the next
  // KeepChanges writes the lesson shown.
  void LessonChosen();

 private:
  struct Values {
    int16_t lessonNo, speedLevel, mojiTotal;
    bool romajiHint, bgmOff, katakana;
    bool operator==(const Values&) const = default;
  };
  static Values OfGame();
  // Moves a damaged file to a name not yet taken; false if it stays.
  bool SetAside() const;

  QString path;
  std::optional<Values> kept;   // as the file has them, once read
  int16_t practiceWaiting = 0;  // the kept practice lesson, until the history is read
  bool readOnly = false;
  bool damaged = false;
};
