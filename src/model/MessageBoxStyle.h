#pragma once

// Style values and result codes of the platform message box, the same service
// that a generated script calls as MsgBox. Only the right-alignment flag is
// ever written into a script by name; the others are written as numbers.
namespace bw::msgbox {

inline constexpr int OkOnly = 0;
inline constexpr int OkCancel = 1;
inline constexpr int AbortRetryIgnore = 2;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
inline constexpr int RetryCancel = 5;

inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;

inline constexpr int RightAligned = 524288;  // 0x80000, vbMsgBoxRight
// The box stays in front of every other window (WS_EX_TOPMOST).
inline constexpr int SystemModal = 4096;  // 0x1000, vbSystemModal

// Which button is the default: the first, second or third of the set. A flag
// that names a button the set does not have leaves the first as the default.
inline constexpr int DefaultButton1 = 0;    // vbDefaultButton1
inline constexpr int DefaultButton2 = 256;  // vbDefaultButton2
inline constexpr int DefaultButton3 = 512;  // vbDefaultButton3

inline constexpr int ButtonMask = 0x0F;
inline constexpr int IconMask = 0xF0;
inline constexpr int DefaultButtonMask = 0xF00;

// MsgBox shows at most this many UTF-16 units of its prompt (documented as
// "approximately 1024 characters"); the rest is cut off.
inline constexpr int PromptLimit = 1023;

inline constexpr int ResultOk = 1;
inline constexpr int ResultCancel = 2;
inline constexpr int ResultAbort = 3;
inline constexpr int ResultRetry = 4;
inline constexpr int ResultIgnore = 5;
inline constexpr int ResultYes = 6;
inline constexpr int ResultNo = 7;
// What a box that closed by itself returns (WScript.Shell's Popup).
inline constexpr int ResultTimedOut = -1;

}  // namespace bw::msgbox
