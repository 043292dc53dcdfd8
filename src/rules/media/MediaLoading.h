#pragma once
#include <QImage>
#include <QString>

// Reads the playfield's pictures from the data folder, in this order:
// "Back.jpg" into BackPicture (scaled to fill it), "Kob01.jpg" to
// "Kob08.jpg" into Game.KobImage, "KobMask01.jpg" to "KobMask08.jpg" into
// Game.KobMaskImage, and "KeyBorad.jpg", found to decode, into
// Game.KeyboardJpeg. The first file that cannot be read stops the loading
// there: no later file is read, "画像データ読み込みエラー" is shown and the
// program ends.
void LoadPictures();

// Opens the tune "Blugrass.mid" of the data folder on the music device
// (a missing tune only means silence) and names
// the miss and catch sounds "金属.wav" and "みゃ.wav", which are not read
// here. A failure shows "サウンドデータ読み込みエラー" and ends the program.
void LoadSounds();

// Reads the word lessons' tables "hiragana-words.txt" and
// "katakana-words.txt" of the data folder into Game.HiraganaWords and
// Game.KatakanaWords. The program goes on without a table it cannot use:
// "ことばデータ読み込みエラー" is shown once, with the name of each such file,
// and the word lessons of its script cannot be chosen.
void LoadWordTables();

// Reads the picture `fileName` of the data folder ("Title.jpg",
// "input.jpg"); a null image when it cannot be read, which the caller
// reports.
QImage ReadDataPicture(const QString& fileName);
