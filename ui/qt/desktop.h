#pragma once
// What the desktop start-up takes from the binding besides the widgets.

namespace mavrolin::qt {

// The font of the windows (Tahoma 8 points, or its metric-compatible stand-in).
void UseWindowFont();

}  // namespace mavrolin::qt
