// Layout rules of the main window that do not depend on the toolkit.
#pragma once

#include <array>

namespace marvessa {

// Status panel widths for a window of the given outer width: 40 % for panel 0 and 15 % for
// each of the others, each rounded to the nearest pixel.
std::array<int, 5> StatusPanelWidths(int windowWidth);

// The news line's left edge: the left edge of the splitter between the search boxes and the
// page control, plus 210 pixels.
constexpr int NewsLineLeft(int splitterLeft) { return splitterLeft + 210; }

}  // namespace marvessa
