// The font of a window's controls on Win32: the system's message font at the window's DPI, made
// smaller only where a caption would not fit its control.
#pragma once

#include <windows.h>

#include "project.h"

namespace forms::detail::win32 {

// The system's message font at `dpi`, one pixel smaller at a time until every caption of
// `window` fits its control by the core's rule (window_rules.h).
HFONT fittingFont(const WindowDescription& window, UINT dpi);

}  // namespace forms::detail::win32
