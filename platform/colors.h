#pragma once
// Colours as 0x00BBGGRR values, under the window toolkit's names.
#include <cstdint>

namespace tarvelin {

using Color = uint32_t;

inline constexpr Color clBlack = 0x00000000;
inline constexpr Color clWhite = 0x00FFFFFF;
inline constexpr Color clGray = 0x00808080;
inline constexpr Color clSilver = 0x00C0C0C0;
inline constexpr Color clRed = 0x000000FF;
inline constexpr Color clLime = 0x0000FF00;
inline constexpr Color clGreen = 0x00008000;
inline constexpr Color clYellow = 0x0000FFFF;
inline constexpr Color clBlue = 0x00FF0000;
inline constexpr Color clFuchsia = 0x00FF00FF;
inline constexpr Color clAqua = 0x00FFFF00;
inline constexpr Color clTeal = 0x00808000;
inline constexpr Color clPurple = 0x00800080;
// The panel colour: a dark title-bar blue, so the white status text reads on it.
inline constexpr Color clActiveCaption = 0x006A240A;

}  // namespace tarvelin
