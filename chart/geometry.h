#pragma once
// Fixed places of the chart and the legend strip, in client pixels.
#include <array>

#include "platform/canvas.h"

namespace tarvelin {

inline constexpr int kChartLeft = 200;   // first drawn step; steps left of it lie under the legend
inline constexpr int kChartRight = 800;  // last drawn step, on the excluded right edge
inline constexpr Rect kChartRect{kChartLeft, 0, kChartRight, 600};
inline constexpr int kLegendLeft = 1;  // the legend's lines start here and end at kChartRight

inline constexpr int kCursorX = 400;
inline constexpr int kCursorTop = 1;
inline constexpr int kCursorBottom = 400;  // excluded
inline constexpr int kElapsedTimeX = 370;
inline constexpr int kElapsedTimeY = 406;

inline constexpr const char* kFontName = "arial";

// White, 2 pixels wide; they bound the four bands.
inline constexpr std::array<int, 5> kMajorGridRows{1, 100, 200, 300, 400};
// Grey, 1 pixel wide; the oxygen band has its own lines instead.
inline constexpr std::array<int, 9> kMinorGridRows{25, 50, 75, 125, 150, 175, 325, 350, 375};

}  // namespace tarvelin
