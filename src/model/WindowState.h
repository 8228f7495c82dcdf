#pragma once

#include "DialogDefinition.h"
#include "SavedSnapshot.h"
#include "ScriptFormat.h"

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
    // The current document: the file the dialog was last read from or saved
    // to, and its format. 上書き保存 and the save on closing write it; empty
    // before the first open or save, and after New.
    std::u16string scriptPath;
    ScriptFormat scriptFormat = ScriptFormat::Vbs;
    // Whether the file holds only what was read from it, byte for byte as a
    // save writes it. A file edited by hand may hold more (the reader reads
    // the lines it knows): 上書き保存 then asks for the name first.
    bool scriptWhole = true;
    std::u16string combinedStyle;
    SavedSnapshot savedSnapshot = initialSnapshot();
    // The rest of the definition as it stood at the last save or read.
    SavedChoices savedChoices;
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
