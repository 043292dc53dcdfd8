#include "platform/MusicCommandInterpreter.h"

#include <utility>

#include "platform/MusicCommand.h"

namespace platform {

MusicCommandInterpreter::MusicCommandInterpreter(SequencerOpener opener)
    : openTune(std::move(opener)) {}

int MusicCommandInterpreter::Send(const std::string& text) {
  std::optional<MusicCommand> command = ParseMusicCommand(text);
  if (!command) return MusicBadCommand;

  if (command->verb == MusicCommand::Verb::Open) {
    if (tunes.count(command->alias)) return MusicAliasInUse;
    int error = MusicOk;
    std::unique_ptr<Sequencer> tune = openTune(command->path, error);
    if (!tune) return error != MusicOk ? error : MusicNoSynthesizer;
    tunes.emplace(std::move(command->alias), std::move(tune));
    return MusicOk;
  }

  const auto open = tunes.find(command->alias);
  if (open == tunes.end()) return MusicUnknownAlias;
  switch (command->verb) {
    case MusicCommand::Verb::Play:
      return open->second->PlayFromStart();
    case MusicCommand::Verb::Stop:
      return open->second->Stop();
    default:
      tunes.erase(open);
      return MusicOk;
  }
}

}  // namespace platform
