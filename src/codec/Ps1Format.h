#pragma once

#include "model/DialogDefinition.h"

#include <array>
#include <optional>
#include <string_view>

// The pieces of the PowerShell script format (.ps1) that its writer and its
// reader share. docs/powershell-format.md describes the format as a whole.
namespace bw::ps1 {

// The open and save dialogs' bare default name and filter.
inline constexpr std::u16string_view kDefaultFileName = u"dialog.ps1";
inline constexpr std::u16string_view kFileFilter = u"PowerShell スクリプト(*.ps1)|*.ps1";

inline constexpr std::u16string_view kHowToRun =
    u"# Boxwright のダイアログです。実行するには、このファイルを右クリックして「PowerShell で実行」を選ぶか、"
    u"powershell -ExecutionPolicy Bypass -File ファイル名.ps1（PowerShell 7 では pwsh -ExecutionPolicy Bypass -File "
    u"ファイル名.ps1）と入力します。";
inline constexpr std::u16string_view kLoadForms = u"Add-Type -AssemblyName System.Windows.Forms";
// The buttons in the system's current look rather than the classic one.
inline constexpr std::u16string_view kVisualStyles = u"[System.Windows.Forms.Application]::EnableVisualStyles()";
inline constexpr std::u16string_view kDialogStart = u"$answer = [System.Windows.Forms.MessageBox]::Show(";
inline constexpr std::u16string_view kFollowUpStart = u"[void][System.Windows.Forms.MessageBox]::Show(";
inline constexpr std::u16string_view kCommentedOut = u"# ";
inline constexpr std::u16string_view kSwitchStart = u"switch ([int]$answer) {";
inline constexpr std::u16string_view kIndent = u"    ";

// Stay-on-top: the options the boxes take, as a variable. MessageBoxOptions
// has no member for MB_SYSTEMMODAL (4096), and PowerShell casts no undefined
// value to it, but Enum.ToObject makes one, and Windows Forms passes options
// to the system unchecked. With right alignment the value holds its flag too.
inline constexpr std::u16string_view kOptionsStart =
    u"$options = [System.Enum]::ToObject([System.Windows.Forms.MessageBoxOptions], ";
inline constexpr std::u16string_view kOptionsVariable = u"$options";
inline constexpr int kStayOnTopValue = 4096;
inline constexpr int kRightAlignValue = 524288;

// A timeout: the first box gets a hidden owner form, which a timer disposes
// after the time; the system closes the box with its owner, whatever its
// buttons. The tick also sets a flag, as what Show returns then differs
// between Windows PowerShell 5.1 (No) and PowerShell 7 (None): the answer is
// -1 when the flag is set, as WScript.Shell's Popup returns.
inline constexpr std::u16string_view kTimedOutFalse = u"$timedOut = $false";
inline constexpr std::u16string_view kOwnerForm = u"$owner = New-Object System.Windows.Forms.Form";
inline constexpr std::u16string_view kTimer = u"$timer = New-Object System.Windows.Forms.Timer";
inline constexpr std::u16string_view kIntervalStart = u"$timer.Interval = ";
inline constexpr std::u16string_view kTick =
    u"$timer.add_Tick({ $script:timedOut = $true; $timer.Stop(); $owner.Dispose() })";
inline constexpr std::u16string_view kTimerStart = u"$timer.Start()";
inline constexpr std::u16string_view kOwnedDialogStart = u"$answer = [System.Windows.Forms.MessageBox]::Show($owner, ";
inline constexpr std::u16string_view kTimerDispose = u"$timer.Dispose()";
inline constexpr std::u16string_view kOwnerDispose = u"$owner.Dispose()";
inline constexpr std::u16string_view kTimedOutAnswer = u"if ($timedOut) { $answer = -1 }";
inline constexpr std::u16string_view kTimedOutCode = u"-1";

inline constexpr std::u16string_view kButtonsType = u"[System.Windows.Forms.MessageBoxButtons]::";
inline constexpr std::u16string_view kIconType = u"[System.Windows.Forms.MessageBoxIcon]::";
inline constexpr std::u16string_view kDefaultButtonType = u"[System.Windows.Forms.MessageBoxDefaultButton]::";
inline constexpr std::u16string_view kOptionsType = u"[System.Windows.Forms.MessageBoxOptions]::";
inline constexpr std::u16string_view kRightAlign = u"RightAlign";

// Enum names, in the order of ButtonSet and IconKind.
inline constexpr std::array<std::u16string_view, 6> kButtonNames = {u"OK",          u"OKCancel", u"AbortRetryIgnore",
                                                                    u"YesNoCancel", u"YesNo",    u"RetryCancel"};
inline constexpr std::array<std::u16string_view, 4> kIconNames = {u"Error", u"Question", u"Warning", u"Information"};
inline constexpr std::array<std::u16string_view, 3> kDefaultButtonNames = {u"Button1", u"Button2", u"Button3"};

// The backtick escapes of a double-quoted string that the format knows: the
// letter after the backtick and the character it stands for. The writer uses
// the first three for line breaks and NUL; the reader takes them all.
struct BacktickEscape {
    char16_t letter;
    char16_t character;
};
inline constexpr std::array<BacktickEscape, 8> kBacktickEscapes = {{
    {u'r', u'\r'},
    {u'n', u'\n'},
    {u'0', u'\0'},
    {u't', u'\t'},
    {u'`', u'`'},
    {u'"', u'"'},
    {u'$', u'$'},
    {u'\'', u'\''},
}};

// The character a backtick and `letter` stand for; nothing when the format has no such escape.
constexpr std::optional<char16_t> backtickEscaped(char16_t letter) {
    for (const BacktickEscape& escape : kBacktickEscapes) {
        if (escape.letter == letter) {
            return escape.character;
        }
    }
    return std::nullopt;
}

// The letter that escapes a character; 0 when none does.
constexpr char16_t backtickLetter(char16_t character) {
    for (const BacktickEscape& escape : kBacktickEscapes) {
        if (escape.character == character) {
            return escape.letter;
        }
    }
    return 0;
}

// The quote characters of a single-quoted string: the apostrophe and U+2018 to
// U+201B, which PowerShell takes as quotes too. Inside a string each is doubled.
constexpr bool isSingleQuote(char16_t c) { return c == u'\'' || (c >= u'\u2018' && c <= u'\u201B'); }

// The quote characters of a double-quoted string: the quotation mark and
// U+201C to U+201E. The writer puts only backtick escapes between them.
constexpr bool isDoubleQuote(char16_t c) { return c == u'"' || (c >= u'\u201C' && c <= u'\u201E'); }

}  // namespace bw::ps1
