// Fuzz target of the number conversions and the readout captions: any text converts to a
// value or fails with the conversion's own message, the reader's fast paths agree with the
// general conversions, and any stored value gives a caption.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "chart/channel_rows.h"
#include "chart/chart.h"
#include "log/field_parse.h"
#include "log/number_format.h"
#include "log/number_parse.h"
#include "tests/fuzz/number_oracle.h"
#include "tests/support/fake_chart_controls.h"

namespace {

using tarvelin::Failure;
namespace oracle = tarvelin::fuzz;

[[noreturn]] void Fault(const std::string& what) {
  std::fprintf(stderr, "number_fuzz: %s\n", what.c_str());
  std::abort();
}

std::string Quoted(std::string_view text, std::string_view rest) {
  std::string quoted(1, '\'');
  quoted.append(text).append(1, '\'').append(rest);
  return quoted;
}

void CheckInteger(std::string_view text) {
  const std::string invalid = Quoted(text, " is not a valid integer value");
  const oracle::IntegerResult expected = oracle::ReferenceInteger(text);
  std::string general, fast;
  int32_t value = 0, fastValue = 0;
  try {
    value = tarvelin::StrToInt(text);
  } catch (const Failure& failure) {
    general = failure.message();
  }
  try {
    fastValue = tarvelin::ParseIntField(text);
  } catch (const Failure& failure) {
    fast = failure.message();
  }
  if (general != fast || value != fastValue) Fault("ParseIntField differs from StrToInt");
  if (expected.valid ? !general.empty() || value != expected.value : general != invalid)
    Fault("StrToInt: " + (general.empty() ? std::to_string(value) : general));
}

void CheckReal(std::string_view text) {
  const std::string invalid = Quoted(text, " is not a valid floating point value");
  const oracle::RealResult expected = oracle::ReferenceReal(text);
  std::string general, fast;
  double value = 0, fastValue = 0;
  try {
    value = tarvelin::StrToFloat(text);
  } catch (const Failure& failure) {
    general = failure.message();
  }
  try {
    fastValue = tarvelin::ParseRealField(text);
  } catch (const Failure& failure) {
    fast = failure.message();
  }
  if (general != fast || std::memcmp(&value, &fastValue, sizeof value) != 0)
    Fault("ParseRealField differs from StrToFloat");
  if (!expected.valid) {
    if (general != invalid) Fault("StrToFloat accepted or misreported an invalid text");
  } else if (expected.overflow) {
    if (general != tarvelin::kFloatingPointOverflow) Fault("StrToFloat: no overflow: " + general);
  } else if (!general.empty() || std::memcmp(&value, &expected.value, sizeof value) != 0) {
    Fault("StrToFloat: " + general + " value " + std::to_string(value));
  }
}

void CheckCaption(const std::string& caption, long double value, int digits) {
  if (!oracle::IsCaption(caption, value, digits))
    Fault("caption '" + caption + "' for " + std::to_string(static_cast<double>(value)) + " with " +
          std::to_string(digits) + " decimals");
}

// Keeps the state the chart reads back and draws nothing.
class NullCanvas : public tarvelin::Canvas {
 public:
  void SetPenColor(tarvelin::Color color) override { pen_ = color; }
  void SetPenWidth(int width) override { width_ = width; }
  void SetBrushColor(tarvelin::Color color) override { brush_ = color; }
  void SetFontName(std::string_view name) override { font_ = name; }
  void SetFontSize(int points) override { size_ = points; }
  void SetFontColor(tarvelin::Color color) override { fontColor_ = color; }
  tarvelin::Color PenColor() const override { return pen_; }
  int PenWidth() const override { return width_; }
  tarvelin::Color BrushColor() const override { return brush_; }
  std::string FontName() const override { return font_; }
  int FontSize() const override { return size_; }
  tarvelin::Color FontColor() const override { return fontColor_; }
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  void TextOut(int, int, std::string_view) override {}
  void FillRect(const tarvelin::Rect&) override {}
  void RestrictTo(const tarvelin::Rect& rect) override { restriction_ = rect; }
  tarvelin::Rect Restriction() const override { return restriction_; }
  void Refresh() override {}

 private:
  tarvelin::Color pen_ = 0, brush_ = 0, fontColor_ = 0;
  int width_ = 1, size_ = 8;
  std::string font_;
  tarvelin::Rect restriction_ = tarvelin::kUnrestricted;
};

template <class T>
T Take(const uint8_t*& data, size_t& size) {
  T value{};
  const size_t n = std::min(size, sizeof value);
  std::memcpy(&value, data, n);
  data += n;
  size -= n;
  return value;
}

// Values from the input into the cursor slot of a one-record log: every row writes its
// caption; with the traces drawn as well the frame completes or stops with a failure.
void CheckReadouts(const uint8_t* data, size_t size) {
  static tarvelin::LogData log = [] {
    tarvelin::LogData empty;
    const int32_t slots = 1 + tarvelin::LeadIn + tarvelin::LeadOut;
    empty.RecordCount = 1;
    empty.TIME.Allocate(slots);
    empty.ENGINE.Allocate(slots);
    for (auto* channel : {&empty.SECL, &empty.RPM, &empty.MAP, &empty.TPS, &empty.CLT, &empty.GEGO,
                          &empty.VE1, &empty.VE2})
      channel->Allocate(slots);
    for (auto* channel :
         {&empty.O2, &empty.MAT, &empty.PW1, &empty.PW2, &empty.DC1, &empty.DC2, &empty.AFR})
      channel->Allocate(slots);
    empty.LogLoaded = true;
    return empty;
  }();
  constexpr int32_t kSlot = tarvelin::LeadIn;
  for (auto* channel :
       {&log.SECL, &log.RPM, &log.MAP, &log.TPS, &log.CLT, &log.GEGO, &log.VE1, &log.VE2})
    channel->set(kSlot, Take<int32_t>(data, size));
  for (auto* channel : {&log.O2, &log.MAT, &log.PW1, &log.PW2, &log.DC1, &log.DC2, &log.AFR})
    channel->set(kSlot, Take<double>(data, size));
  log.O2Mode = (Take<uint8_t>(data, size) & 1) + 1;

  NullCanvas canvas;
  tarvelin::testing::FakeChartControls controls;
  tarvelin::DrawChannelRows(log, kSlot, kSlot - 400, canvas, controls);
  using tarvelin::ChannelBox;
  for (int box = 0; box < tarvelin::kChannelBoxCount; ++box) {
    const std::string& caption = controls.Caption(static_cast<ChannelBox>(box));
    if (caption.size() < 6 || caption.find(": ") == std::string::npos)
      Fault("row " + std::to_string(box) + " has caption '" + caption + "'");
  }

  // The whole frame for one input in eight: its 800-step traces dominate the run time.
  if (size == 0 || (data[size - 1] & 7) != 0) return;
  controls.CheckAll();
  int32_t position = 0;
  tarvelin::Chart chart(log, position, canvas, controls);
  try {
    chart.DrawChart(Take<uint8_t>(data, size) % 3 - 1);  // the record, or a lead slot by it
  } catch (const Failure& failure) {
    const std::string& m = failure.message();
    if (m != tarvelin::kRangeCheckError && m != tarvelin::kIntegerOverflow &&
        m != tarvelin::kInvalidFloatingPointOperation)
      Fault("DrawChart: " + m);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckInteger(text);
  CheckReal(text);

  const uint8_t* rest = data;
  size_t left = size;
  const double value = Take<double>(rest, left);
  const int digits = Take<int8_t>(rest, left);  // outside 0..18 too: taken as the nearer end
  CheckCaption(tarvelin::FloatToStrF(value, digits), value, digits);
  // The air/fuel readout: a quotient in extended precision, shown as formed.
  const long double quotient = static_cast<long double>(value) / 10.0L;
  CheckCaption(tarvelin::ExtendedToStrF(quotient, digits), quotient, digits);

  CheckReadouts(data, size);
  return 0;
}
