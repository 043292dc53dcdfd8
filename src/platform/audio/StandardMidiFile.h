#pragma once
#include <QByteArray>

namespace platform {

// True when `data` is a standard MIDI file of format 0 or 1 that is whole:
// a header chunk "MThd" naming one or more tracks and a nonzero division,
// then chunks that each lie inside the data up to the last of the named
// number of track chunks "MTrk". Other chunks are allowed, as readers skip
// them, and what follows the last track is never read.
bool IsStandardMidiFile(const QByteArray& data);

}  // namespace platform
