#pragma once
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

// Small data files that the tests write where they need them.

// Writes `bytes` to `path`, replacing what was there; fails the test when
// it cannot.
void WriteTestFile(const QString& path, const QByteArray& bytes);

// Fills `image` with a pattern in which every pixel tells where it is, so
// that a copy from the wrong place shows.
void FillWithPattern(QImage& image);

// A `width` x `height` picture of one colour.
QImage PlainPicture(int width, int height, QColor colour);

// `picture` as a JPEG file's bytes, at high quality.
QByteArray JpegBytes(const QImage& picture, bool progressive = false);

// A baseline or progressive JPEG's bytes with `width` x `height` put into its frame header
// (SOF0), whatever size its picture really has.
QByteArray JpegWithFrameSize(QByteArray jpeg, int width, int height);

// A standard MIDI file, format 0 at 120 beats a minute: a piano note sounds
// from the start for one second, then the tune is silent until it ends at
// three seconds.
QByteArray TestTune();

// A wave file of a sine tone lasting `ms` milliseconds: 16-bit mono PCM at
// `sampleRate` frames a second.
QByteArray ToneWave(int ms, int sampleRate = 22050);
