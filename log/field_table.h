#pragma once
// Which field of a data line feeds which channel, and how its text is converted.
#include <cstddef>

#include "log/log_data.h"

namespace tarvelin {

enum class FieldKind { kText, kInteger, kReal, kRoundedReal };

struct FieldEntry {
  int field;
  const char* channel;
  FieldKind kind;
  TextChannel LogData::*text = nullptr;
  Channel<int32_t> LogData::*integer = nullptr;
  Channel<double> LogData::*real = nullptr;
};

// Fields 10 to 14 are carried by the format but not stored; 19 and 20 only on wide lines.
inline constexpr FieldEntry kFieldTable[] = {
    {0, "TIME", FieldKind::kText, &LogData::TIME},
    {1, "SECL", FieldKind::kInteger, nullptr, &LogData::SECL},
    {2, "RPM", FieldKind::kInteger, nullptr, &LogData::RPM},
    {3, "MAP", FieldKind::kInteger, nullptr, &LogData::MAP},
    {4, "TPS", FieldKind::kInteger, nullptr, &LogData::TPS},
    {5, "O2", FieldKind::kReal, nullptr, nullptr, &LogData::O2},
    {6, "MAT", FieldKind::kReal, nullptr, nullptr, &LogData::MAT},
    {7, "CLT", FieldKind::kRoundedReal, nullptr, &LogData::CLT},
    {8, "ENGINE", FieldKind::kText, &LogData::ENGINE},
    {9, "GEGO", FieldKind::kInteger, nullptr, &LogData::GEGO},
    {15, "VE1", FieldKind::kInteger, nullptr, &LogData::VE1},
    {16, "PW1", FieldKind::kReal, nullptr, nullptr, &LogData::PW1},
    {17, "VE2", FieldKind::kInteger, nullptr, &LogData::VE2},
    {18, "PW2", FieldKind::kReal, nullptr, nullptr, &LogData::PW2},
    {19, "DC1", FieldKind::kReal, nullptr, nullptr, &LogData::DC1},
    {20, "DC2", FieldKind::kReal, nullptr, nullptr, &LogData::DC2},
};

inline constexpr size_t kFieldCount = sizeof(kFieldTable) / sizeof(kFieldTable[0]);
inline constexpr int kO2Field = 5;
inline constexpr int kNarrowTabs = 18;
inline constexpr int kMaxTabs = 24;

}  // namespace tarvelin
