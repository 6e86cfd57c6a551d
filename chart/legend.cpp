#include <cstdint>

#include "chart/chart.h"
#include "chart/geometry.h"
#include "chart/grid.h"

namespace tarvelin {

namespace {

constexpr int kLabelSize = 8;
constexpr int kNameSize = 15;

// One thing the legend draws for a checked channel: a text, or (text null) a line at y.
struct LegendItem {
  ChannelBox box;
  int32_t o2Mode;  // 0: whatever the mode; 1 or 2: only in that oxygen mode
  const char* text;
  int x, y;
  int size;
  Color color;  // font colour of a text, pen colour of a line
};

constexpr LegendItem Label(ChannelBox box, const char* text, int x, int y, Color color,
                           int32_t o2Mode = 0) {
  return {box, o2Mode, text, x, y, kLabelSize, color};
}
constexpr LegendItem Name(ChannelBox box, const char* text, int x, int y, Color color,
                          int32_t o2Mode = 0) {
  return {box, o2Mode, text, x, y, kNameSize, color};
}
constexpr LegendItem Line(ChannelBox box, int y, Color color, int32_t o2Mode) {
  return {box, o2Mode, nullptr, 0, y, 0, color};
}

using enum ChannelBox;

// In drawing order. Each scale label's top stands 6 pixels above the row where the channel's
// trace draws the labelled value. The pulse-width traces run at 4 pixels per millisecond, so
// 15, 10 and 5 ms lie at y 40, 60 and 80, not on the grid lines at 25, 50 and 75.
constexpr LegendItem kLegendItems[] = {
    Label(pw1cb, "15ms", 100, 34, clLime),
    Label(pw1cb, "10ms", 100, 54, clLime),
    Label(pw1cb, "5ms", 100, 74, clLime),
    Name(pw1cb, "PW1", 5, 40, clLime),
    Name(pw2cb, "PW2", 50, 40, clGreen),
    Label(ve1cb, "150", 130, 19, clWhite),
    Label(ve1cb, "100", 130, 44, clWhite),
    Label(ve1cb, "50", 130, 69, clWhite),
    Name(ve1cb, "VE1", 5, 10, clWhite),
    Name(ve2cb, "VE2", 50, 10, clAqua),
    Label(dc1cb, "75%", 160, 19, clRed),
    Label(dc1cb, "50%", 160, 44, clRed),
    Label(dc1cb, "25%", 160, 69, clRed),
    Name(dc1cb, "DC1", 5, 70, clRed),
    Name(dc2cb, "DC2", 50, 70, clYellow),
    Label(rpmcb, "7500", 70, 119, clRed),
    Label(rpmcb, "5000", 70, 144, clRed),
    Label(rpmcb, "2500", 70, 169, clRed),
    Name(rpmcb, "RPM", 5, 110, clRed),
    Label(mapcb, "75", 110, 119, clFuchsia),
    Label(mapcb, "50", 110, 144, clFuchsia),
    Label(mapcb, "25", 110, 169, clFuchsia),
    Name(mapcb, "MAP", 5, 140, clFuchsia),
    Label(tpscb, "75", 130, 119, clAqua),
    Label(tpscb, "50", 130, 144, clAqua),
    Label(tpscb, "25", 130, 169, clAqua),
    Name(tpscb, "TPS", 5, 170, clAqua),
    // Narrowband oxygen: 0.5 V.
    Line(o2cb, 250, clGray, 1),
    Label(o2cb, ".5v", 120, 244, clYellow, 1),
    Name(o2cb, "O2", 5, 210, clYellow, 1),
    // Wideband: ratio 14.7, then 16, 14, 12 and 10.
    Line(o2cb, 233, clGreen, 2),
    Line(o2cb, 220, clGray, 2),
    Line(o2cb, 240, clGray, 2),
    Line(o2cb, 260, clGray, 2),
    Line(o2cb, 280, clGray, 2),
    Label(o2cb, "16", 120, 214, clWhite, 2),
    Label(o2cb, "14", 120, 234, clWhite, 2),
    Label(o2cb, "12", 120, 254, clWhite, 2),
    Label(o2cb, "10", 120, 274, clWhite, 2),
    Label(o2cb, "14.7", 140, 226, clGreen, 2),
    Name(o2cb, "A/F Ratio", 5, 210, clYellow, 2),
    Label(cltcb, "170", 110, 319, clSilver),
    Label(cltcb, "120", 110, 344, clSilver),
    Label(cltcb, "70", 110, 369, clSilver),
    Name(cltcb, "CLT", 5, 310, clSilver),
    Label(matcb, "150", 140, 319, clTeal),
    Label(matcb, "100", 140, 344, clTeal),
    Label(matcb, "50", 140, 369, clTeal),
    Name(matcb, "MAT", 5, 340, clTeal),
    Label(egocor, "125", 170, 319, clLime),
    Label(egocor, "100", 170, 344, clLime),
    Label(egocor, "75", 170, 369, clLime),
    Name(egocor, "GEGO", 5, 370, clLime),
    Name(seclcb, "SECL", 55, 310, clPurple),
};

}  // namespace

void Chart::DrawLegend() {
  canvas_.SetFontName(kFontName);
  DrawGrid(canvas_, kLegendLeft);
  canvas_.SetFontName(kFontName);
  canvas_.SetFontColor(clWhite);
  // Texts stand on black so that they cover the lines behind them. The brush is black whenever
  // the legend runs; setting it here keeps that true whatever was drawn before.
  canvas_.SetBrushColor(clBlack);
  for (const LegendItem& item : kLegendItems) {
    if (!controls_.IsChecked(item.box)) continue;
    if (item.o2Mode != 0 && item.o2Mode != log_.O2Mode) continue;
    if (item.text == nullptr) {
      canvas_.SetPenColor(item.color);
      HorizontalLine(canvas_, kLegendLeft, item.y);
    } else {
      canvas_.SetFontColor(item.color);
      canvas_.SetFontSize(item.size);
      canvas_.TextOut(item.x, item.y, item.text);
    }
  }
}

}  // namespace tarvelin
