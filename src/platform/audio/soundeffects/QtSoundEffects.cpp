#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>
#include <utility>

#include "platform/audio/SoundEffects.h"

namespace {

// Owns the sound effects, and is deleted as the application object begins
// to tear down. A sound effect deleted later, among the application's own
// children, waits forever for its sample loader when that is still at work,
// as when the player quits right after a catch.
QObject* effectOwner = nullptr;

void DeleteEffects() {
  delete effectOwner;
  effectOwner = nullptr;
}

QObject* EffectOwner() {
  if (!effectOwner) {
    effectOwner = new QObject;
    qAddPostRoutine(DeleteEffects);
  }
  return effectOwner;
}

// Qt's sound effects, one per file, kept ready after the first. Without an
// audio device they stay silent and nothing waits for them.
class QtSoundEffects : public platform::SoundEffects {
 public:
  void Prepare(const QString& path) override {
    auto* effect = new QSoundEffect(EffectOwner());
    effect->setSource(QUrl::fromLocalFile(path));
    effects.insert(path, effect);
  }

  void Start(const QString& path) override {
    if (QSoundEffect* effect = effects.value(path)) effect->play();
  }

  void StopAll() override {
    for (const QPointer<QSoundEffect>& effect : std::as_const(effects)) {
      if (effect) effect->stop();
    }
  }

 private:
  // Deleted as the application object begins to tear down.
  QHash<QString, QPointer<QSoundEffect>> effects;
};

}  // namespace

extern "C" Q_DECL_EXPORT platform::SoundEffects* kanacatch_create_sound_effects() {
  return new QtSoundEffects;
}
