#include "tune.h"

#include <algorithm>
#include <map>
#include <sstream>

namespace kanasounds {

TuneError::TuneError(int line, const std::string& what)
    : std::runtime_error(line > 0 ? "tune.txt:" + std::to_string(line) + ": " + what
                                  : "tune.txt: " + what),
      line_(line) {}

bool Chord::contains(int pitch) const {
  const int pc = ((pitch - root) % 12 + 12) % 12;
  return std::find(intervals.begin(), intervals.end(), pc) != intervals.end();
}

const Chord& Bar::chordAt(int tick) const {
  const std::size_t i = static_cast<std::size_t>(tick) * chords.size() / kTicksPerBar;
  return chords[std::min(i, chords.size() - 1)];
}

const char* roleName(Role role) {
  switch (role) {
    case Role::Fiddle:
      return "fiddle";
    case Role::Banjo:
      return "banjo";
    case Role::Guitar:
      return "guitar";
    case Role::Bass:
      return "bass";
  }
  return "?";
}

bool Tune::inKey(int pitch) const {
  static constexpr bool kMajor[12] = {1, 0, 1, 0, 1, 1, 0, 1, 0, 1, 0, 1};
  return kMajor[((pitch - keyRoot) % 12 + 12) % 12];
}

namespace {

struct NoteName {
  int semitones;     // above C of the letter's own octave: Cb is -1, B# is 12
  std::size_t used;  // characters read
};

// Reads a note letter with an optional sharp or flat from the front of text.
NoteName readNoteName(const std::string& text) {
  static const std::map<char, int> kLetters = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5},
                                               {'G', 7}, {'A', 9}, {'B', 11}};
  if (text.empty() || !kLetters.count(text[0]))
    throw std::invalid_argument("not a note name: \"" + text + "\"");
  if (text.size() > 1 && (text[1] == '#' || text[1] == 'b'))
    return {kLetters.at(text[0]) + (text[1] == '#' ? 1 : -1), 2};
  return {kLetters.at(text[0]), 1};
}

int pitchClass(const NoteName& name) { return (name.semitones + 12) % 12; }

std::string trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// A comment runs from a "#" that starts a word to the end of the line; the
// "#" of a sharp follows its letter.
std::string withoutComment(const std::string& line) {
  for (std::size_t i = 0; i < line.size(); ++i)
    if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t'))
      return line.substr(0, i);
  return line;
}

std::vector<std::string> words(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> out;
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

// "| a b | c |" -> {"a b", "c"}; the outer bar lines are optional.
std::vector<std::string> splitBars(const std::string& s, int line) {
  std::vector<std::string> bars;
  std::string rest = trim(s);
  if (!rest.empty() && rest.front() == '|') rest.erase(0, 1);
  if (!rest.empty() && rest.back() == '|') rest.pop_back();
  std::istringstream in(rest);
  for (std::string bar; std::getline(in, bar, '|');) {
    bar = trim(bar);
    if (bar.empty()) throw TuneError(line, "empty bar");
    bars.push_back(bar);
  }
  if (bars.empty()) throw TuneError(line, "no bars on the line");
  return bars;
}

// A duration: e(ighth), q(uarter), h(alf), w(hole), "." adds half again.
int parseLength(const std::string& text, int line) {
  static const std::map<char, int> kEighths = {{'e', 1}, {'q', 2}, {'h', 4}, {'w', 8}};
  const bool dotted = text.size() == 2 && text[1] == '.';
  if (text.empty() || text.size() > 2 || (text.size() == 2 && !dotted) || !kEighths.count(text[0]))
    throw TuneError(line, "bad note length \"" + text + "\"");
  const int ticks = kEighths.at(text[0]) * kTicksPerEighth;
  return dotted ? ticks * 3 / 2 : ticks;
}

std::vector<MelodyNote> parseMelodyBar(const std::string& bar, int line) {
  std::vector<MelodyNote> notes;
  int at = 0;
  for (const std::string& token : words(bar)) {
    // A note is a pitch with its octave ("F#5") then its length ("e"); a rest is "r" then a length.
    std::size_t lengthAt = 1;
    int pitch = -1;
    if (token[0] != 'r') {
      lengthAt = token.find_first_of("eqhw", 1);
      try {
        pitch = parsePitch(token.substr(0, lengthAt));
      } catch (const std::invalid_argument& e) {
        throw TuneError(line, e.what());
      }
    }
    if (lengthAt == std::string::npos) throw TuneError(line, "no length in \"" + token + "\"");
    const int length = parseLength(token.substr(lengthAt), line);
    if (pitch >= 0) notes.push_back({pitch, at, length});
    at += length;
  }
  if (at != kTicksPerBar)
    throw TuneError(line, "bar \"" + bar + "\" lasts " + std::to_string(at / kTicksPerEighth) +
                              " eighths, not " + std::to_string(kEighthsPerBar));
  return notes;
}

int number(const std::string& text, int low, int high, int line) {
  int value = 0;
  std::size_t used = 0;
  try {
    value = std::stoi(text, &used);
  } catch (const std::exception&) {
  }
  if (used != text.size() || value < low || value > high)
    throw TuneError(line, "\"" + text + "\" is not a number from " + std::to_string(low) + " to " +
                              std::to_string(high));
  return value;
}

PartMix parsePart(const std::vector<std::string>& w, int line) {
  PartMix mix;
  if (w.size() % 2 != 0) throw TuneError(line, "part settings come in name/value pairs");
  for (std::size_t i = 2; i < w.size(); i += 2) {
    const std::string& key = w[i];
    if (key == "program")
      mix.program = number(w[i + 1], 1, 128, line) - 1;  // written as in the GM list
    else if (key == "volume")
      mix.volume = number(w[i + 1], 0, 127, line);
    else if (key == "pan")
      mix.pan = number(w[i + 1], 0, 127, line);
    else if (key == "velocity")
      mix.velocity = number(w[i + 1], 1, 127, line);
    else
      throw TuneError(line, "unknown part setting \"" + key + "\"");
  }
  return mix;
}

struct SectionText {
  int line = 0;
  Style style = Style::Play;
  std::vector<std::vector<Chord>> chords;
  std::vector<std::vector<MelodyNote>> melody;
};

}  // namespace

int parsePitch(const std::string& text) {
  const NoteName name = readNoteName(text);
  const std::string octave = text.substr(name.used);
  if (octave.size() != 1 || octave[0] < '0' || octave[0] > '9')
    throw std::invalid_argument("no octave in \"" + text + "\"");
  return 12 * (octave[0] - '0' + 1) + name.semitones;
}

Chord parseChord(const std::string& text) {
  Chord chord;
  chord.name = text;
  const NoteName name = readNoteName(text);
  chord.root = pitchClass(name);
  const std::string kind = text.substr(name.used);
  if (kind.empty())
    chord.intervals = {0, 4, 7};
  else if (kind == "m")
    chord.intervals = {0, 3, 7};
  else if (kind == "7")
    chord.intervals = {0, 4, 7, 10};
  else if (kind == "m7")
    chord.intervals = {0, 3, 7, 10};
  else
    throw std::invalid_argument("unknown chord \"" + text + "\"");
  return chord;
}

Tune parseTune(std::istream& in) {
  Tune tune;
  std::map<std::string, SectionText> sections;
  SectionText* current = nullptr;
  std::vector<std::pair<std::string, int>> order;  // section name, line
  bool partSeen[4] = {};
  int lineNo = 0;
  bool haveKey = false;

  for (std::string raw; std::getline(in, raw);) {
    ++lineNo;
    const std::string line = trim(withoutComment(raw));
    if (line.empty()) continue;
    const std::vector<std::string> w = words(line);
    const std::string& what = w[0];
    const std::string rest = trim(line.substr(what.size()));

    if (what == "title") {
      tune.title = rest;
    } else if (what == "tempo" && w.size() == 2) {
      tune.tempo = number(w[1], 40, 300, lineNo);
    } else if (what == "key" && w.size() == 2) {
      try {
        const NoteName name = readNoteName(w[1]);
        if (name.used != w[1].size()) throw std::invalid_argument("only major keys are known");
        tune.keyRoot = pitchClass(name);
      } catch (const std::invalid_argument& e) {
        throw TuneError(lineNo, e.what());
      }
      haveKey = true;
    } else if (what == "part" && w.size() >= 2) {
      const auto role = std::find_if(std::begin(kRoles), std::end(kRoles),
                                     [&](Role r) { return w[1] == roleName(r); });
      if (role == std::end(kRoles)) throw TuneError(lineNo, "unknown part \"" + w[1] + "\"");
      tune.parts[static_cast<int>(*role)] = parsePart(w, lineNo);
      partSeen[static_cast<int>(*role)] = true;
    } else if (what == "section" && (w.size() == 2 || (w.size() == 3 && w[2] == "hold"))) {
      if (sections.count(w[1])) throw TuneError(lineNo, "section \"" + w[1] + "\" written twice");
      current = &sections[w[1]];
      current->line = lineNo;
      current->style = w.size() == 3 ? Style::Hold : Style::Play;
    } else if (what == "chords" || what == "fiddle") {
      if (!current) throw TuneError(lineNo, "\"" + what + "\" before any section");
      for (const std::string& bar : splitBars(rest, lineNo)) {
        if (what == "fiddle") {
          current->melody.push_back(parseMelodyBar(bar, lineNo));
          continue;
        }
        std::vector<Chord> chords;
        try {
          for (const std::string& name : words(bar)) chords.push_back(parseChord(name));
        } catch (const std::invalid_argument& e) {
          throw TuneError(lineNo, e.what());
        }
        if (chords.size() > 2) throw TuneError(lineNo, "more than two chords in a bar");
        current->chords.push_back(chords);
      }
    } else if (what == "play") {
      for (std::size_t i = 1; i < w.size(); ++i) order.emplace_back(w[i], lineNo);
    } else {
      throw TuneError(lineNo, "cannot read \"" + line + "\"");
    }
  }

  if (tune.tempo == 0) throw TuneError(0, "no tempo");
  if (!haveKey) throw TuneError(0, "no key");
  for (Role role : kRoles)
    if (!partSeen[static_cast<int>(role)])
      throw TuneError(0, std::string("no settings for the ") + roleName(role));
  if (order.empty()) throw TuneError(0, "no \"play\" line");
  for (const auto& [name, s] : sections)
    if (s.chords.size() != s.melody.size())
      throw TuneError(s.line, "section \"" + name + "\" has " + std::to_string(s.chords.size()) +
                                  " bars of chords but " + std::to_string(s.melody.size()) +
                                  " of fiddle");
  for (const auto& [name, line] : order) {
    const auto s = sections.find(name);
    if (s == sections.end()) throw TuneError(line, "no section \"" + name + "\"");
    for (std::size_t i = 0; i < s->second.chords.size(); ++i)
      tune.bars.push_back({s->second.chords[i], s->second.melody[i], s->second.style});
  }
  return tune;
}

}  // namespace kanasounds
