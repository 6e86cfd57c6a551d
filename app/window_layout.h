#pragma once
// The window's controls as laid out: places, sizes, captions, colours, hints, tab order.
// Coordinates of panel children are relative to the panel at (0, 424).
#include <array>

#include "chart/chart_controls.h"
#include "platform/colors.h"

namespace tarvelin {

inline constexpr const char* kFormCaption =
    "Tarvelin 2.25 Beta 5 / RUN / MARK GOTO /  All Engine Bit Display";
inline constexpr const char* kNoLogCaption =
    " NO LOG FILE LOADED - Click on \"Open\" button below to load a logfile ";

struct CheckBoxLayout {
  const char* name;
  ChannelBox box;
  int left, top;
  const char* caption;
  Color color;
  bool checked;
  const char* hint;
  int tabOrder;
  const char* handler;
};

inline constexpr std::array<CheckBoxLayout, kChannelBoxCount> kCheckBoxes{{
    {"rpmcb", ChannelBox::rpmcb, 8, 24, "RPM", clRed, true, "Engine speed in RPM", 8, "rpmcbClick"},
    {"mapcb", ChannelBox::mapcb, 8, 48, "MAP:", clFuchsia, true,
     "Manifold Air Pressure in kiloPascals", 9, "mapcbClick"},
    {"pw1cb", ChannelBox::pw1cb, 344, 24, "PW1:", clLime, true,
     "Injector Pulse Width in milliseconds", 10, "pw1cbClick"},
    {"o2cb", ChannelBox::o2cb, 120, 24, "O2:", clYellow, true, "O2 Sensor Output", 11, "o2cbClick"},
    {"ve1cb", ChannelBox::ve1cb, 232, 24, "VE1:", clWhite, true, "Current VE from VE Table", 12,
     "ve1cbClick"},
    {"tpscb", ChannelBox::tpscb, 120, 48, "TPS:", clAqua, true, "Throttle Position Sensor Output",
     13, "tpscbClick"},
    {"matcb", ChannelBox::matcb, 568, 24, "MAT:", clTeal, true,
     "Manifold Air Temperature in degrees", 14, "matcbClick"},
    {"seclcb", ChannelBox::seclcb, 680, 24, "SECL:", clPurple, false,
     "Seconds Counter from Kelvane, 0-255 then rollover", 15, "seclcbClick"},
    {"cltcb", ChannelBox::cltcb, 568, 48, "CLT:", clSilver, true, "Coolant Temp in degrees", 16,
     "cltcbClick"},
    {"egocor", ChannelBox::egocor, 680, 48, "EGCOR:", clLime, true, "Gamma Exhaust Gas Oxygen", 17,
     "egocorClick"},
    {"dc1cb", ChannelBox::dc1cb, 456, 24, "DC1:", clRed, false, "Injector Duty Cycle in %", 18,
     "dc1cbClick"},
    {"dc2cb", ChannelBox::dc2cb, 456, 48, "DC2:", clYellow, false,
     "Injector Duty Cycle for Table 2 , Dual Table Code", 19, "dc1cbClick"},
    {"ve2cb", ChannelBox::ve2cb, 232, 48, "VE2:", clAqua, false,
     "Current VE from Table 2 of Dual Table Code", 20, "ve1cbClick"},
    {"pw2cb", ChannelBox::pw2cb, 344, 48, "PW2:", clGreen, false,
     "Injector Pulse Width, Table 2 of Dual Table code.", 21, "pw1cbClick"},
}};

struct IndicatorLayout {
  const char* name;
  Indicator label;
  int left;
  const char* caption;
};

inline constexpr std::array<IndicatorLayout, kIndicatorCount> kIndicators{{
    {"cranking", Indicator::cranking, 120, "CRANK: N"},
    {"RUNNING", Indicator::RUNNING, 200, "RUN: N"},
    {"warmup", Indicator::warmup, 280, "WRMUP: N"},
    {"afterstart", Indicator::afterstart, 360, "AFTSTRT: N"},
    {"accel", Indicator::accel, 440, "ACCEL: N"},
    {"decel", Indicator::decel, 520, "DECEL: N"},
    {"ebit7", Indicator::ebit7, 600, "EBIT7: N"},
    {"ebit8", Indicator::ebit8, 680, "EBIT8: N"},
}};

enum class Button {
  startbtn,
  fastreverse,
  slowreverse,
  SSReverse,
  SSForward,
  slowforward,
  fastforward,
  endbtn,
  runbtn,
  openlog,
  quit,
  MARKList
};
inline constexpr int kButtonCount = 12;

struct ButtonLayout {
  const char* name;
  Button button;
  int left, width;
  const char* caption;
  bool visible;
  int tabOrder;
};

inline constexpr std::array<ButtonLayout, kButtonCount> kButtons{{
    {"startbtn", Button::startbtn, 80, 40, "Start", false, 23},
    {"fastreverse", Button::fastreverse, 128, 40, "-200", false, 0},
    {"slowreverse", Button::slowreverse, 176, 40, "-20", false, 1},
    {"SSReverse", Button::SSReverse, 224, 40, "-1", false, 6},
    {"SSForward", Button::SSForward, 272, 40, "+1", false, 7},
    {"slowforward", Button::slowforward, 320, 40, "+20", false, 2},
    {"fastforward", Button::fastforward, 368, 40, "+200", false, 5},
    {"endbtn", Button::endbtn, 416, 40, "End", false, 24},
    {"runbtn", Button::runbtn, 464, 40, "RUN", false, 25},
    {"openlog", Button::openlog, 520, 49, "&Open", true, 4},
    {"quit", Button::quit, 576, 49, "&Quit", true, 3},
    {"MARKList", Button::MARKList, 680, 105, "MARK List", false, 22},
}};

// The order in which the window declares its controls (and the replay driver lists them).
inline constexpr std::array<const char*, 39> kControlOrder{
    "buttonbox",   "fastreverse", "slowreverse", "slowforward", "quit",     "openlog",
    "fastforward", "OpenDialog1", "SSReverse",   "SSForward",   "rpmcb",    "mapcb",
    "pw1cb",       "o2cb",        "ve1cb",       "tpscb",       "matcb",    "seclcb",
    "cltcb",       "egocor",      "dc1cb",       "dc2cb",       "ve2cb",    "pw2cb",
    "MARKList",    "RUNNING",     "warmup",      "afterstart",  "accel",    "engbits",
    "cranking",    "startbtn",    "endbtn",      "marklbox",    "runtimer", "runbtn",
    "decel",       "ebit7",       "ebit8"};

inline constexpr int kPanelTop = 424;

}  // namespace tarvelin
