#pragma once
// The control IDs of the main window's children and the command IDs of its menu items.
// UI automation finds the controls by these numbers (GetDlgCtrlID), and the window runs
// a menu item's command when it receives WM_COMMAND with the item's ID.

namespace qev::win32::ids {

inline constexpr int kCombo1 = 1001;
inline constexpr int kZT = 1002;
inline constexpr int kImage1 = 1003;
inline constexpr int kImage2 = 1004;
inline constexpr int kWeb = 1005;
inline constexpr int kRzLabel1 = 1006;

inline constexpr int kSuiButton1 = 1101;
inline constexpr int kSuiButton2 = 1102;
inline constexpr int kSuiButton6 = 1106;
inline constexpr int kSuiButton7 = 1107;
inline constexpr int kSuiImageButtonMin = 1110;
inline constexpr int kSuiImageButtonClose = 1111;
inline constexpr int kZhaohuimima = 1112;

inline constexpr int kOpt1 = 1201;
inline constexpr int kOpt2 = 1202;
inline constexpr int kOpt3 = 1203;

inline constexpr int kCombo2 = 1301;
inline constexpr int kProgressBarCount = 1401;
inline constexpr int kButton1 = 1402;

// Tray menu.
inline constexpr int kM1 = 2001;
inline constexpr int kM2 = 2002;
inline constexpr int kM4 = 2004;
// Account menu.
inline constexpr int kN1 = 2101;
inline constexpr int kN2 = 2102;
inline constexpr int kN3 = 2103;
inline constexpr int kN8 = 2108;

}  // namespace qev::win32::ids
