#include "chart/indicators.h"

#include "log/checked_math.h"
#include "log/number_parse.h"

namespace tarvelin {

namespace {

struct IndicatorBit {
  Indicator label;
  int32_t weight;
  const char* yes;
  const char* no;
  const char* empty;  // the N text when the status text is empty
};

// Decoded from the highest weight down.
constexpr IndicatorBit kIndicatorBits[] = {
    {Indicator::ebit8, 128, "EBIT8:Y", "EBIT8:N", "EBIT8:N"},
    {Indicator::ebit7, 64, "EBIT7:Y", "EBIT7:N", "EBIT7:N"},
    {Indicator::decel, 32, "DECEL:Y", "DECEL:N", "DECEL:N"},
    {Indicator::accel, 16, "ACCEL:Y", "ACCEL:N", "ACCEL:N"},
    {Indicator::warmup, 8, "WRMUP:Y", "WRMUP:N", "WRMUP:N"},
    {Indicator::afterstart, 4, "AFTSTRT:Y", "AFTRSTRT:N", "AFTSTRT:N"},
    {Indicator::cranking, 2, "CRANK:Y", "CRANK:N", "CRANK:N"},
    {Indicator::RUNNING, 1, "RUN:Y", "RUN:N", "RUN:N"},
};

void ShowYes(ChartControls& controls, const IndicatorBit& bit) {
  controls.SetIndicator(bit.label, bit.yes, clYellow, clBlack);
}
void ShowNo(ChartControls& controls, const IndicatorBit& bit, const char* text) {
  controls.SetIndicator(bit.label, text, clBlue, clWhite);
}

}  // namespace

void DecodeIndicators(const TextChannel& engine, int32_t cursorSlot, ChartControls& controls) {
  const std::string_view text = engine.at(cursorSlot);
  if (text.empty()) {
    for (const IndicatorBit& bit : kIndicatorBits) ShowNo(controls, bit, bit.empty);
    return;
  }
  // Subtract and test: a status of 255 or more shows every bit, a negative one none.
  int32_t rest = StrToInt(text);
  for (const IndicatorBit& bit : kIndicatorBits) {
    if (rest >= bit.weight) {
      ShowYes(controls, bit);
      rest = CheckedSub(rest, bit.weight);
    } else {
      ShowNo(controls, bit, bit.no);
    }
  }
}

}  // namespace tarvelin
