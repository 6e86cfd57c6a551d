#pragma once
// One channel's polyline across the drawn steps: 601 points, one per window slot.
#include <cstdint>

#include "chart/geometry.h"
#include "log/channel.h"
#include "log/checked_math.h"
#include "platform/canvas.h"

namespace tarvelin {

// `base` is the window base slot: step x shows slot base + x. `row` maps a stored sample to
// its pixel row and may throw, which abandons the trace where it arises.
template <class T>
void DrawTrace(Canvas& canvas, Color pen, const Channel<T>& channel, int32_t base,
               int32_t (*row)(T)) {
  canvas.SetPenColor(pen);
  canvas.MoveTo(kChartLeft, row(channel.at(CheckedAdd(base, kChartLeft))));
  for (int x = kChartLeft + 1; x <= kChartRight; ++x)
    canvas.LineTo(x, row(channel.at(CheckedAdd(base, x))));
}

}  // namespace tarvelin
