// What screen readers see of a program's window beyond the toolkit's defaults.
#pragma once

namespace forms::detail {

// Presents every program window as a window ("frame" to AT-SPI clients) instead of a plain
// client area. Safe to call more than once.
void installAccessibleRoles();

}  // namespace forms::detail
