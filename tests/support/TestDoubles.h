#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <deque>
#include <vector>

#include "platform/audio/MusicDevice.h"
#include "platform/audio/WaveSound.h"
#include "platform/system/Messages.h"
#include "platform/system/Random.h"
#include "platform/system/TickCounter.h"
#include "support/QtPrinters.h"

// A tick counter that tests set and advance by hand.
class TestClock : public platform::TickSource {
 public:
  int32_t Read() override { return static_cast<int32_t>(ticks); }
  void Set(uint32_t value) { ticks = value; }
  void Advance(uint32_t ms) { ticks += ms; }
  uint32_t ticks = 1000;
};

// Draws chosen by the test, then the built-in generator's once they run out.
class ScriptedRandom : public platform::RandomSource {
 public:
  float Next() override {
    ++drawn;
    if (draws.empty()) return platform::BuiltInRnd();
    const float r = draws.front();
    draws.pop_front();
    return r;
  }
  std::deque<float> draws;
  int drawn = 0;
};

// Records every music request ("open <path>", "play", "stop", "close") and
// answers like a device that works.
class MusicRecorder : public platform::MusicDevice {
 public:
  int Open(const QString& tunePath) override { return Note("open " + tunePath); }
  int PlayFromStart() override { return Note("play"); }
  int Stop() override { return Note("stop"); }
  int Close() override { return Note("close"); }
  int Note(const QString& request) {
    commands << request;
    return 0;
  }
  QStringList commands;
};

// Records the file of every sound request.
class SoundRecorder : public platform::WavePlayer {
 public:
  void Play(const QString& path, unsigned) override { requests << path; }
  QStringList requests;
};

// Thrown by MessageRecorder::End, so that a test sees where the program
// would have ended.
struct ProgramEnded {};

// Records every message box and turns the end of the program into an
// exception.
class MessageRecorder : public platform::MessageSink {
 public:
  void Show(const QString& text) override { messages.push_back(text); }
  void End() override { throw ProgramEnded{}; }
  std::vector<QString> messages;
};
