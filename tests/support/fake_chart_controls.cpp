#include "tests/support/fake_chart_controls.h"

namespace tarvelin::testing {

void FakeChartControls::SetCaption(ChannelBox box, const std::string& caption) {
  captions_[Index(box)] = caption;
  writes_.push_back(ControlWrite{false, static_cast<int>(box), caption});
}

void FakeChartControls::SetIndicator(Indicator label, const std::string& caption, Color background,
                                     Color fontColor) {
  indicators_[static_cast<size_t>(label)] = IndicatorState{caption, background, fontColor};
  writes_.push_back(ControlWrite{true, static_cast<int>(label), caption});
}

void FakeChartControls::CheckOnly(ChannelBox box) {
  checked_.fill(false);
  checked_[Index(box)] = true;
}

}  // namespace tarvelin::testing
