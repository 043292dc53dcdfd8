#pragma once

namespace platform {

// Makes every block of 128 KiB or more (every picture but the smallest) a
// mapping of its own, given back to the system as soon as it is freed. The C
// library would otherwise raise that bound to the largest block freed so far:
// once the title's decoded picture (5 MiB) is let go, the pictures decoded
// after it land on the heap, and what they leave when freed stays resident
// for the rest of the run, 2 MiB on a screen of ratio 2. Call it first thing.
void GiveFreedPicturesBack();

}  // namespace platform
