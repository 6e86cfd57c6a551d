#pragma once
// The fourteen channel rows of the chart, in drawing order: each writes its readout caption
// from the cursor slot and, when its box is checked, draws its trace.
#include <cstdint>

#include "chart/chart_controls.h"
#include "log/log_data.h"
#include "platform/canvas.h"

namespace tarvelin {

// `base` is the window base slot (step x shows slot base + x). A failure abandons the rows
// where it arises.
void DrawChannelRows(const LogData& log, int32_t cursorSlot, int32_t base, Canvas& canvas,
                     ChartControls& controls);

}  // namespace tarvelin
