#pragma once

// The "BGM停止" menu command, at any time; its check mark shows Game.BgmOff. Switching the music
// off stops it at once, in a game or not. Switching it on plays the tune from its beginning only
// while a game runs; otherwise the next Start plays it. The tick stamp of the last start is left
// alone, so the next restart comes on the old schedule.
void BgmStop_Click();
