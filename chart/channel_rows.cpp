#include "chart/channel_rows.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <variant>

#include "chart/geometry.h"
#include "chart/grid.h"
#include "chart/trace.h"
#include "log/checked_math.h"
#include "log/number_format.h"

namespace tarvelin {

namespace {

// Pixel rows: a real sample is scaled in extended precision, rounded half to even and narrowed
// to 32 bits with a range check; integer steps are overflow-checked and div truncates toward
// zero.
int32_t Below(int32_t zeroRow, long double scaled) {
  return RangeChecked32(CheckedSub64(zeroRow, RoundHalfEven(scaled)));
}

int32_t PulseWidthRow(double v) { return Below(100, 4.0L * v); }
int32_t EfficiencyRow(int32_t v) { return CheckedSub(100, CheckedDiv(v, 2)); }
int32_t DutyCycleRow(double v) { return Below(100, v); }
int32_t SecondBandRow(int32_t v) { return CheckedSub(200, v); }
int32_t OxygenRow(double v) { return Below(300, 100.0L * v); }
// Clamped to 81 and 179, so out-of-range ratios stay one pixel inside the band.
int32_t AirFuelRow(double v) {
  const long double u = v < 80 ? 81.0L : v > 180 ? 179.0L : static_cast<long double>(v);
  return Below(380, u);
}
int32_t CoolantRow(int32_t v) { return std::min(CheckedSub(410, CheckedDiv(v, 2)), 400); }
int32_t AirTemperatureRow(double v) { return Below(400, static_cast<long double>(v) / 2.0L); }
// Halved, rounded and doubled: the correction moves in steps of two pixels.
int32_t CorrectionRow(int32_t v) {
  return RangeChecked32(CheckedSub64(450, 2 * RoundHalfEven(static_cast<long double>(v) / 2.0L)));
}
int32_t SecondsRow(int32_t v) { return CheckedSub(400, CheckedDiv(v, 4)); }

std::string Integer(int32_t v) { return IntToStr(v); }
std::string OneDecimal(double v) { return FloatToStrF(v, 1); }
std::string ThreeDecimals(double v) { return FloatToStrF(v, 3); }
// Stored in hundreds of revolutions.
std::string Revolutions(int32_t v) { return FloatToStrF(100.0 * v, 0); }
// Stored in tenths of a ratio. The quotient is shown as formed, in extended precision: narrowed
// to a double first, a quotient just below a half can land on the double above it (stored
// 80.25 would read 8.03 instead of 8.02).
std::string AirFuelRatio(double v) {
  if (v < 80) return "<8";
  if (v > 180) return ">18";
  return ExtendedToStrF(static_cast<long double>(v) / 10.0L, 2);
}

template <class T>
struct RowForm {
  Channel<T> LogData::*channel;
  std::string (*readout)(T v);  // the caption after the row's prefix
  int32_t (*row)(T v);
};

struct ReferenceLine {
  int y;
  Color pen;
};

constexpr std::array<ReferenceLine, 1> kNarrowbandLines{{{250, clYellow}}};  // 0.5 V
// Ratio 14.7, then 16, 14, 12 and 10.
constexpr std::array<ReferenceLine, 5> kWidebandLines{
    {{233, clGreen}, {220, clGray}, {240, clGray}, {260, clGray}, {280, clGray}}};

struct ChannelRow {
  ChannelBox box;
  int32_t o2Mode;  // 0: in every log; 1 or 2: this form of the oxygen row in that mode only
  const char* prefix;
  Color pen;
  std::variant<RowForm<int32_t>, RowForm<double>> form;
  std::span<const ReferenceLine> referenceLines = {};  // over the trace, when it is drawn
};

using IntegerRow = RowForm<int32_t>;
using RealRow = RowForm<double>;

const ChannelRow kChannelRows[] = {
    {ChannelBox::pw1cb, 0, "PW1: ", clLime, RealRow{&LogData::PW1, OneDecimal, PulseWidthRow}},
    {ChannelBox::pw2cb, 0, "PW2: ", clGreen, RealRow{&LogData::PW2, OneDecimal, PulseWidthRow}},
    {ChannelBox::ve1cb, 0, "VE1: ", clWhite, IntegerRow{&LogData::VE1, Integer, EfficiencyRow}},
    {ChannelBox::ve2cb, 0, "VE2: ", clAqua, IntegerRow{&LogData::VE2, Integer, EfficiencyRow}},
    {ChannelBox::dc1cb, 0, "DC1: ", clRed, RealRow{&LogData::DC1, OneDecimal, DutyCycleRow}},
    {ChannelBox::dc2cb, 0, "DC2: ", clYellow, RealRow{&LogData::DC2, OneDecimal, DutyCycleRow}},
    {ChannelBox::rpmcb, 0, "RPM: ", clRed, IntegerRow{&LogData::RPM, Revolutions, SecondBandRow}},
    {ChannelBox::mapcb, 0, "MAP: ", clFuchsia, IntegerRow{&LogData::MAP, Integer, SecondBandRow}},
    {ChannelBox::tpscb, 0, "TPS: ", clAqua, IntegerRow{&LogData::TPS, Integer, SecondBandRow}},
    {ChannelBox::o2cb, 1, "O2v: ", clYellow, RealRow{&LogData::O2, ThreeDecimals, OxygenRow},
     kNarrowbandLines},
    {ChannelBox::o2cb, 2, "AFR: ", clYellow, RealRow{&LogData::AFR, AirFuelRatio, AirFuelRow},
     kWidebandLines},
    {ChannelBox::cltcb, 0, "CLT: ", clSilver, IntegerRow{&LogData::CLT, Integer, CoolantRow}},
    {ChannelBox::matcb, 0, "MAT: ", clTeal, RealRow{&LogData::MAT, OneDecimal, AirTemperatureRow}},
    {ChannelBox::egocor, 0, "GEGO: ", clLime, IntegerRow{&LogData::GEGO, Integer, CorrectionRow}},
    {ChannelBox::seclcb, 0, "SECL: ", clPurple, IntegerRow{&LogData::SECL, Integer, SecondsRow}},
};

}  // namespace

void DrawChannelRows(const LogData& log, int32_t cursorSlot, int32_t base, Canvas& canvas,
                     ChartControls& controls) {
  for (const ChannelRow& row : kChannelRows) {
    // A log without a known oxygen mode has no oxygen row at all.
    if (row.o2Mode != 0 && row.o2Mode != log.O2Mode) continue;
    std::visit(
        [&](const auto& form) {
          const auto& channel = log.*form.channel;
          controls.SetCaption(row.box, row.prefix + form.readout(channel.at(cursorSlot)));
          if (!controls.IsChecked(row.box)) return;
          DrawTrace(canvas, row.pen, channel, base, form.row);
          for (const ReferenceLine& line : row.referenceLines) {
            canvas.SetPenColor(line.pen);
            HorizontalLine(canvas, kChartLeft, line.y);
          }
        },
        row.form);
  }
}

}  // namespace tarvelin
