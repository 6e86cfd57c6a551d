#pragma once
// The eight engine status indicators, decoded from the ENGINE text of the cursor slot.
#include <cstdint>

#include "chart/chart_controls.h"
#include "log/text_channel.h"

namespace tarvelin {

// An empty text shows every label in its N state. Any other text must be an integer; when it
// is not, the conversion fails before any label is touched.
void DecodeIndicators(const TextChannel& engine, int32_t cursorSlot, ChartControls& controls);

}  // namespace tarvelin
