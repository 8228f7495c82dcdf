#pragma once

namespace bw {

// The three files a dialog is written as: a VBScript, the same script inside
// an HTML page, and a PowerShell script.
enum class ScriptFormat { Vbs, Html, Ps1 };

}  // namespace bw
