// SPDX-License-Identifier: MIT
#pragma once

namespace kvt::ui {

// Names the running program for the desktop: its name and version, the icon every window
// carries, and the desktop entry it belongs to (so that a Wayland compositor or a task bar finds
// the entry's icon and name). Call once, after the application object exists.
void setProgramIdentity();

}  // namespace kvt::ui
