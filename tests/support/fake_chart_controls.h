#pragma once
// ChartControls held in memory: settable check states, the captions and indicator states
// last written, and every write in order.
#include <array>
#include <string>
#include <vector>

#include "chart/chart_controls.h"

namespace tarvelin::testing {

struct IndicatorState {
  std::string caption;
  Color background = clBlue;
  Color fontColor = clWhite;
  bool operator==(const IndicatorState&) const = default;
};

// One write to a control, in the order made.
struct ControlWrite {
  bool indicator;  // false: a check box caption
  int index;       // the ChannelBox or Indicator as an int
  std::string caption;
};

class FakeChartControls : public ChartControls {
 public:
  // Nothing checked, captions and indicators empty until written.
  FakeChartControls() = default;

  bool IsChecked(ChannelBox box) const override { return checked_[Index(box)]; }
  void SetCaption(ChannelBox box, const std::string& caption) override;
  void SetIndicator(Indicator label, const std::string& caption, Color background,
                    Color fontColor) override;

  void SetChecked(ChannelBox box, bool checked) { checked_[Index(box)] = checked; }
  void CheckAll(bool checked = true) { checked_.fill(checked); }
  // Only `box` checked.
  void CheckOnly(ChannelBox box);

  const std::string& Caption(ChannelBox box) const { return captions_[Index(box)]; }
  const IndicatorState& IndicatorOf(Indicator label) const {
    return indicators_[static_cast<size_t>(label)];
  }
  const std::vector<ControlWrite>& writes() const { return writes_; }
  void ClearWrites() { writes_.clear(); }

 private:
  static size_t Index(ChannelBox box) { return static_cast<size_t>(box); }
  std::array<bool, kChannelBoxCount> checked_{};
  std::array<std::string, kChannelBoxCount> captions_;
  std::array<IndicatorState, kIndicatorCount> indicators_;
  std::vector<ControlWrite> writes_;
};

}  // namespace tarvelin::testing
