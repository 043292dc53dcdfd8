#pragma once

// Asserts what holds of the game state between any two passes of the main
// loop, whatever the player did: no more strings shown than the running
// game has and no more catches than strings shown, every critter between its peak
// and its hole, and a caught critter sinking with its string gone.
void ExpectGameInvariants();
