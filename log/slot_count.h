#pragma once
// The length of every channel for a log of `records` counted lines: LeadIn + records +
// LeadOut slots, refused rather than wrapped past the 32-bit range.
#include <cstdint>

#include "log/checked_math.h"
#include "log/log_data.h"

namespace tarvelin {

inline int32_t SlotCountFor(int32_t records) { return CheckedAdd(records, LeadIn + LeadOut); }

}  // namespace tarvelin
