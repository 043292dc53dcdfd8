#include "platform/MusicCommand.h"

#include <vector>

namespace platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::vector<std::string_view> SplitWords(std::string_view text) {
  std::vector<std::string_view> words;
  size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    const size_t start = pos;
    while (pos < text.size() && !IsBlank(text[pos])) ++pos;
    if (pos > start) words.push_back(text.substr(start, pos - start));
  }
  return words;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsKeyword(std::string_view word, std::string_view keyword) {
  if (word.size() != keyword.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (AsciiLower(word[i]) != keyword[i]) return false;
  }
  return true;
}

// An alias is one word of printable ASCII without quotes.
std::optional<std::string> AliasOf(std::string_view word) {
  std::string alias;
  for (char c : word) {
    if (c <= ' ' || c > '~' || c == '"') return std::nullopt;
    alias += AsciiLower(c);
  }
  return alias;
}

// open "<path>" type sequencer alias NAME, from the blank after "open".
std::optional<MusicCommand> ParseOpen(std::string_view rest) {
  size_t first = 0;
  while (first < rest.size() && IsBlank(rest[first])) ++first;
  const size_t last = rest.rfind('"');
  if (first == 0 || first >= rest.size() || rest[first] != '"' || last == first) return {};
  const std::string_view path = rest.substr(first + 1, last - first - 1);
  const std::string_view tail = rest.substr(last + 1);
  if (path.empty() || path.find('\0') != std::string_view::npos) return {};
  if (tail.empty() || !IsBlank(tail.front())) return {};

  const std::vector<std::string_view> words = SplitWords(tail);
  if (words.size() != 4 || !IsKeyword(words[0], "type") || !IsKeyword(words[1], "sequencer") ||
      !IsKeyword(words[2], "alias")) {
    return {};
  }
  std::optional<std::string> alias = AliasOf(words[3]);
  if (!alias) return {};
  return MusicCommand{MusicCommand::Verb::Open, std::move(*alias), std::string(path)};
}

}  // namespace

std::optional<MusicCommand> ParseMusicCommand(std::string_view command) {
  const std::vector<std::string_view> words = SplitWords(command);
  if (words.empty()) return {};
  if (IsKeyword(words[0], "open")) {
    const size_t verbEnd = command.find_first_not_of(" \t") + words[0].size();
    return ParseOpen(command.substr(verbEnd));
  }

  MusicCommand parsed;
  if (IsKeyword(words[0], "play") && words.size() == 4 && IsKeyword(words[2], "from") &&
      words[3] == "0") {
    parsed.verb = MusicCommand::Verb::Play;
  } else if (IsKeyword(words[0], "stop") && words.size() == 2) {
    parsed.verb = MusicCommand::Verb::Stop;
  } else if (IsKeyword(words[0], "close") && words.size() == 2) {
    parsed.verb = MusicCommand::Verb::Close;
  } else {
    return {};
  }
  std::optional<std::string> alias = AliasOf(words[1]);
  if (!alias) return {};
  parsed.alias = std::move(*alias);
  return parsed;
}

}  // namespace platform
