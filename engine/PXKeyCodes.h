// Engine key codes by name: the codes PXKey reads and the settings file stores.
#pragma once

namespace PXKeyCode {
constexpr int kA = 1;
constexpr int kB = 2;
constexpr int kD = 4;
constexpr int kF = 6;
constexpr int kM = 13;
constexpr int kN = 14;
constexpr int kO = 15;
constexpr int kP = 16;
constexpr int kR = 18;
constexpr int kS = 19;
constexpr int kW = 23;
constexpr int kY = 25;
constexpr int kZ = 26;
constexpr int kReturn = 53;
constexpr int kDelete = 55;
constexpr int kBackspace = 56;
constexpr int kComma = 58;
constexpr int kMinus = 59;
constexpr int kPeriod = 60;
constexpr int kEscape = 69;
constexpr int kBackquote = 70;
constexpr int kUp = 99;
constexpr int kRight = 100;
constexpr int kLeft = 101;
constexpr int kDown = 102;
constexpr int kF5 = 111;
constexpr int kF12 = 118;
constexpr int kLeftShift = 122;
constexpr int kRightShift = 123;
constexpr int kLeftAlt = 124;
constexpr int kLeftWinkey = 132;
constexpr int kSpace = 133;
constexpr int kEquals = 134;
constexpr int kLeftControl = 135;
constexpr int kRightControl = 136;
// A letter's code.
constexpr int letter(char upperCase) {
    return upperCase - 'A' + kA;
}
// A digit key's code (code 77 lies between 5 and 6).
constexpr int digit(int value) {
    return value <= 5 ? 71 + value : 72 + value;
}
} // namespace PXKeyCode
