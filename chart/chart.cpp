#include "chart/chart.h"

#include <string>

#include "chart/channel_rows.h"
#include "chart/geometry.h"
#include "chart/grid.h"
#include "chart/indicators.h"
#include "log/checked_math.h"

namespace tarvelin {

void Chart::DrawChart(int32_t position) {
  ChartWidth = 800;
  if (!log_.LogLoaded) return;

  const int32_t cursorSlot = CheckedAdd(position, LeadIn);
  const int32_t base = CheckedSub(cursorSlot, ChartWidth / 2);
  // Stored before anything can fail, so a frame abandoned part way still moves the cursor.
  position_ = position;

  canvas_.RestrictTo(kChartRect);
  canvas_.SetBrushColor(clBlack);
  canvas_.SetFontName(kFontName);
  canvas_.FillRect(kChartRect);
  DrawGrid(canvas_, kChartLeft);
  canvas_.SetFontName(kFontName);
  canvas_.SetFontColor(clWhite);

  DecodeIndicators(log_.ENGINE, cursorSlot, controls_);
  DrawChannelRows(log_, cursorSlot, base, canvas_, controls_);

  canvas_.SetFontColor(clWhite);
  canvas_.SetFontSize(10);
  std::string elapsed(log_.TIME.at(cursorSlot));  // Latin-1 bytes, as the log has them
  elapsed += " Sec Elapsed Time";
  canvas_.TextOut(kElapsedTimeX, kElapsedTimeY, elapsed);

  canvas_.SetPenColor(clWhite);
  canvas_.MoveTo(kCursorX, kCursorTop);
  canvas_.LineTo(kCursorX, kCursorBottom);
}

}  // namespace tarvelin
