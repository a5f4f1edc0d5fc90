#pragma once
// Where each component of the main window sits: left, top, width, height in client
// pixels of the 864 x 568 window. tools/artgen draws the face around the same places.

#include <windows.h>

namespace qev::win32::layout {

inline constexpr int kClientWidth = 864;
inline constexpr int kClientHeight = 568;
inline constexpr COLORREF kOutsideColour = RGB(0xFF, 0x00, 0xFF);

struct Place {
  int left, top, width, height;
  RECT Rect() const { return RECT{left, top, left + width, top + height}; }
};

inline constexpr Place kCombo1{24, 104, 305, 321};
inline constexpr int kZoneRowHeight = 16;
inline constexpr int kZoneTextIndent = 2;
inline constexpr Place kZT{520, 510, 90, 12};
// The status line grows up to the right edge of its plate on the face, no further.
inline constexpr int kZTRoom = 124;
inline constexpr Place kStatusIcon{496, 510, 17, 17};
inline constexpr Place kWeb{392, 80, 441, 329};
// The information line sizes itself to its text; this is its smallest size.
inline constexpr Place kRzLabel1{6, 12, 300, 16};
inline constexpr Place kSuiButton1{656, 488, 175, 50};
inline constexpr Place kSuiButton2{327, 6, 120, 40};
inline constexpr Place kSuiButton6{462, 7, 120, 40};
inline constexpr Place kSuiButton7{592, 6, 120, 40};
inline constexpr Place kMin{762, 6, 31, 34};
inline constexpr Place kClose{810, 6, 32, 33};
inline constexpr Place kZhaohuimima{348, 542, 67, 18};
// Check boxes size themselves to glyph and caption; only the corner is fixed.
inline constexpr Place kOpt1{680, 462, 0, 0};
inline constexpr Place kOpt2{767, 462, 0, 0};
inline constexpr Place kOpt3{510, 542, 0, 0};
// The height includes the drop-down list.
inline constexpr Place kCombo2{568, 462, 73, 160};
inline constexpr Place kProgressBarCount{64, 504, 417, 17};
inline constexpr Place kButton1{664, 504, 89, 25};

}  // namespace qev::win32::layout
