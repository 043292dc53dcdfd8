#include <gtest/gtest.h>

#include <string>

#include "platform/MusicCommand.h"

using platform::ParseMusicCommand;
using Verb = platform::MusicCommand::Verb;

TEST(MusicCommand, TheGamesCommandsParseWhateverTheCaseAndBlanks) {
  for (auto [text, verb] :
       {std::pair{"play gBGMfile from 0 ", Verb::Play},
        std::pair{"  PLAY   GbgmFile\tFROM  0", Verb::Play},
        std::pair{"stop gBGMfile ", Verb::Stop}, std::pair{"close gBGMfile ", Verb::Close},
        std::pair{"Open  \"/a.mid\"  TYPE Sequencer ALIAS gBGMfile ", Verb::Open}}) {
    const auto command = ParseMusicCommand(text);
    ASSERT_TRUE(command) << text;
    EXPECT_EQ(command->verb, verb) << text;
    EXPECT_EQ(command->alias, "gbgmfile") << text;
  }
}

TEST(MusicCommand, ThePathRunsToTheLastQuoteSoFolderNamesMayHoldBlanksAndQuotes) {
  for (const std::string path : {
           "/home/ユーザー/kana \"catch\" it's/Deta/Blugrass.mid",
           "/tmp/x\" type sequencer alias other \"/Blugrass.mid",  // named like the tail
       }) {
    const auto open = ParseMusicCommand("open \"" + path + "\" type sequencer alias gBGMfile");
    ASSERT_TRUE(open) << path;
    EXPECT_EQ(open->path, path);
    EXPECT_EQ(open->alias, "gbgmfile");
  }
}

TEST(MusicCommand, AnyOtherWordingIsRefused) {
  for (const char* text :
       {"open /a/b.mid type sequencer alias a",           // no quotes
        "open \"/a/b.mid type sequencer alias a",         // one quote
        "open\"/a/b.mid\" type sequencer alias a",        // no blank after open
        "open \"/a/b.mid\"type sequencer alias a",        // no blank before type
        "open \"\" type sequencer alias a",               // no path
        "open \"/a/b.mid\" type sequencer",               // no alias
        "open \"/a/b.mid\" type waveaudio alias a",       // another device type
        "open \"/a/b.mid\" type sequencer alias a wait",  // a word the device does not know
        "open \"/a/b.mid\" type sequencer alias a\"b",    // a quote in the alias
        "open x \"/a/b.mid\" type sequencer alias a",     // a word before the path
        "",
        "   ",
        "play gBGMfile",
        "play gBGMfile from 5",
        "play from 0",
        "stop",
        "stop gBGMfile now",
        "close a b",
        "pause gBGMfile",
        "seek gBGMfile to start",
        "status gBGMfile mode",
        "sysinfo all quantity"}) {
    EXPECT_FALSE(ParseMusicCommand(text)) << "\"" << text << "\"";
  }
  constexpr char withNul[] = "open \"/a/b\0c.mid\" type sequencer alias a";
  EXPECT_FALSE(ParseMusicCommand(std::string(withNul, sizeof withNul - 1))) << "a NUL in the path";
}
