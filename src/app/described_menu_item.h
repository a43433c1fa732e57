#pragma once

namespace pellomarin {

// Qt tells screen readers a menu command's name and shortcut but not its
// description. After this call, a command with a status tip (set before any
// screen reader asks) has that tip as its accessible description, kept up to
// date. Once per process, on the main thread.
void describeMenuItemsByStatusTip();

}  // namespace pellomarin
