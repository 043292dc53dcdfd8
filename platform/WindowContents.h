#pragma once

namespace platform {

// Window contents go to the X server over the connection, not through
// shared memory, unless the player's environment says otherwise. Before it
// repaints an area that it last sent through shared memory, Qt waits for
// the server to be done with it (a round trip and two thread switches); the
// box and the critters repaint the same small areas again and again, once a
// key and once a step, where sending the pixels costs less than the wait.
// Called before the application object is made.
void SendWindowContentsOverTheConnection();

}  // namespace platform
