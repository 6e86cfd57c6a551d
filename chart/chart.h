#pragma once
// The chart frame (grid, traces, readouts, indicators, elapsed time, cursor) and the legend
// strip, drawn on a Canvas from the loaded log.
#include <cstdint>

#include "chart/chart_controls.h"
#include "log/log_data.h"
#include "platform/canvas.h"

namespace tarvelin {

class Chart {
 public:
  Chart(const LogData& log, int32_t& position, Canvas& canvas, ChartControls& controls)
      : log_(log), position_(position), canvas_(canvas), controls_(controls) {}

  // Draws the frame for `position` and stores it in Position; nothing while no log is loaded.
  void DrawChart(int32_t position);
  // Draws the legend strip (never clipped to the chart; keeps no state).
  void DrawLegend();

  int32_t ChartWidth = 0;

 private:
  const LogData& log_;
  int32_t& position_;
  Canvas& canvas_;
  ChartControls& controls_;
};

}  // namespace tarvelin
