// What the Win32 platform layer offers its tests beyond the window system: a
// way into the failure path of timer creation. Nothing here is reachable by a
// user of the program.
#pragma once

namespace qv::win32 {

// The next `count` timer creations fail, as when the system has none left.
void FailNextTimerCreations(int count);

} // namespace qv::win32
