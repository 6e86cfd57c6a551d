#pragma once
// What the chart needs of the window's controls: the fourteen channel check boxes (checked
// state, caption) and the eight indicator labels (caption, colours).
#include <string>

#include "platform/colors.h"

namespace tarvelin {

enum class ChannelBox {
  rpmcb, mapcb, pw1cb, o2cb, ve1cb, tpscb, matcb, seclcb, cltcb, egocor, dc1cb, dc2cb, ve2cb, pw2cb
};
inline constexpr int kChannelBoxCount = 14;

enum class Indicator { ebit8, ebit7, decel, accel, warmup, afterstart, cranking, RUNNING };
inline constexpr int kIndicatorCount = 8;

class ChartControls {
 public:
  virtual ~ChartControls() = default;
  virtual bool IsChecked(ChannelBox box) const = 0;
  // Latin-1 bytes: readouts carry text from the log file.
  virtual void SetCaption(ChannelBox box, const std::string& caption) = 0;
  virtual void SetIndicator(Indicator label, const std::string& caption, Color background,
                            Color fontColor) = 0;
};

}  // namespace tarvelin
