#pragma once
// The horizontal grid that the chart and the legend both draw, and the one-line helper they
// share.
#include "platform/canvas.h"

namespace tarvelin {

// A line across to the chart's right edge, in the pen's current colour and width.
void HorizontalLine(Canvas& canvas, int fromX, int y);

// Major rows (white, width 2), then minor rows (grey, width 1); leaves the pen grey, width 1.
void DrawGrid(Canvas& canvas, int fromX);

}  // namespace tarvelin
