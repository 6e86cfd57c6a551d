#include "chart/grid.h"

#include "chart/geometry.h"

namespace tarvelin {

void HorizontalLine(Canvas& canvas, int fromX, int y) {
  canvas.MoveTo(fromX, y);
  canvas.LineTo(kChartRight, y);
}

void DrawGrid(Canvas& canvas, int fromX) {
  canvas.SetPenColor(clWhite);
  canvas.SetPenWidth(2);
  for (const int y : kMajorGridRows) HorizontalLine(canvas, fromX, y);
  canvas.SetPenColor(clGray);
  canvas.SetPenWidth(1);
  for (const int y : kMinorGridRows) HorizontalLine(canvas, fromX, y);
}

}  // namespace tarvelin
