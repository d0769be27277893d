// What the Qt platform layer offers its tests beyond the window system: a way
// into the failure path of timer creation, and a count of live drawing
// objects. Nothing here is reachable by a user of the program.
#pragma once

namespace qv::qt {

// The next `count` timer creations fail, as when the system has none left.
void FailNextTimerCreations(int count);

// Pens and fonts created and not yet deleted.
int LiveDrawingObjects();

} // namespace qv::qt
