#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// One command of the music device, taken apart.
struct MusicCommand {
  enum class Verb { Open, Play, Stop, Close };
  Verb verb = Verb::Stop;
  std::string alias;  // lower case: aliases are matched without regard to case
  std::string path;   // Open only: the tune's full path, UTF-8
};

// Parses a command worded as the game words its commands:
//   open "<path>" type sequencer alias NAME
//   play NAME from 0
//   stop NAME
//   close NAME
// Keywords are matched without regard to case, words are separated by
// blanks, and blanks before and after the command do not count. The path
// runs from the first double quote to the last one: a folder name may hold
// a double quote on this system, the alias never does. Any other wording
// parses to nothing, so that nothing else is ever carried out.
std::optional<MusicCommand> ParseMusicCommand(std::string_view command);

}  // namespace platform
