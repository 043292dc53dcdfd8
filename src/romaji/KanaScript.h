#pragma once
#include <QString>
#include <QStringView>

// The two scripts of the kana. The game's table is written in hiragana; a
// player may ask for every string in katakana instead.
enum class KanaScript { Hiragana, Katakana };

// `hiragana` in `script`: in katakana each hiragana ぁ to ゖ becomes the
// katakana of the same sound, ァ to ヶ; every other character stays.
QString InScript(QStringView hiragana, KanaScript script);

// `text` with each katakana ァ to ヶ written as the hiragana of the same
// sound; every other character (ー among them) stays. The spellings of a
// katakana string are those of its hiragana.
QString HiraganaOf(QStringView text);
