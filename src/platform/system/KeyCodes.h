#pragma once

namespace platform {

// The Windows-style virtual-key code of a Qt key (Enter is 13, A is 65), or
// 0 for a key that has none here.
int VirtualKeyCode(int qtKey);

}  // namespace platform
