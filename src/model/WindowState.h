#pragma once

#include "SavedSnapshot.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace bw {

inline constexpr char16_t kRightSuffix[] = u" + vbMsgBoxRight";

// Values the main window derives from its controls and keeps beside them.
// Numbers are held as their decimal text because they are written into scripts as text.
struct WindowState {
    std::u16string iconValue = u"16";
    std::u16string buttonValue = u"0";
    std::array<std::u16string, 3> returnCode = {u"1", u"2", u"3"};
    std::u16string rightSuffix;
    std::u16string outputPath;
    // The .vbs or .ps1 file the dialog was last read from or saved to, which
    // the save on closing proposes, in its own format; empty for none.
    std::u16string scriptPath;
    std::u16string combinedStyle;
    SavedSnapshot savedSnapshot = initialSnapshot();
};

// Plain digits of a non-negative number: no sign, no leading zero, no blank.
std::u16string decimalText(std::int64_t value);

// The leading decimal number of a text, 0 when there is none (blanks before it are skipped).
double leadingNumber(std::u16string_view text);

// A double as decimal text; an integral value has no decimal point.
std::u16string numberText(double value);

// Rounds half to even into the 32-bit range, as a style number is passed to the message box.
std::int32_t toStyleInteger(double value);

std::u16string rightSuffixFor(bool rightAligned);

// " + vbDefaultButton2" or " + vbDefaultButton3" for the second or third
// button; nothing for the first, so a script without a default button choice
// reads as before.
std::u16string_view defaultButtonSuffix(int position);

// The style flag of a default button position: 0, 256 or 512.
int defaultButtonStyle(int position);

}  // namespace bw
