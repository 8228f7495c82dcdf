# Runs .ps1 dialogs in this PowerShell with a recording stand-in for
# System.Windows.Forms, many scripts in one process.
#
#   pwsh -NoProfile -File runner.ps1 -Checked FOLDER [-Loose FOLDER]
#
# -Checked: every NAME.ps1 with its NAME.expect (see tests/powershell/
#   PowerShellFeed.cpp): the file is parsed with no error allowed, then run once
#   for each "path" in NAME.expect, the stand-in answering with that path's
#   answers, and what it recorded must equal the path's lines exactly.
# -Loose: .ps1 files with no expectations (those other tests write): each is
#   parsed, then run with each answer 1 to 7 (a follow-up answered OK), and
#   with the time running out (-1) when the script starts a timer; each run
#   must end without error after loading the assembly and showing one or two
#   boxes.
#
# A box with an owner form and a timer (a timeout) is answered -1 by nobody:
# the stand-in fires the timer, checks that its tick disposed the box's owner,
# and returns No, as Windows PowerShell 5.1 makes of a box closed that way; a
# script must tell the time running out by its own flag.
# Prints one line for each failure, then "N passed, M failed" (scripts); exits
# 1 when any failed.
#
# The scripts' `Add-Type -AssemblyName System.Windows.Forms` is met by a
# function named Add-Type defined here: PowerShell resolves a function before a
# cmdlet of the same name, and a script run with & sees its caller's functions,
# so each file runs byte for byte as written (read, decoded and parsed by
# PowerShell itself) while the real assembly, which does not exist here, is
# never asked for. The function records the load, so a script that shows a box
# without loading the assembly first fails too.
param(
    [string[]] $Checked = @(),
    [string[]] $Loose = @()
)

Set-StrictMode -Version 3.0
$ErrorActionPreference = 'Stop'

Microsoft.PowerShell.Utility\Add-Type -TypeDefinition @'
using System;
using System.Collections.Generic;
using System.Text;

namespace System.Windows.Forms
{
    public enum MessageBoxButtons { OK = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5, CancelTryContinue = 6 }
    public enum MessageBoxIcon { None = 0, Hand = 16, Stop = 16, Error = 16, Question = 32, Exclamation = 48, Warning = 48, Asterisk = 64, Information = 64 }
    public enum MessageBoxDefaultButton { Button1 = 0, Button2 = 256, Button3 = 512, Button4 = 768 }
    [Flags]
    public enum MessageBoxOptions { DefaultDesktopOnly = 131072, RightAlign = 524288, RtlReading = 1048576, ServiceNotification = 2097152 }
    public enum DialogResult { None = 0, OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7, TryAgain = 10, Continue = 11 }

    public interface IWin32Window { IntPtr Handle { get; } }

    public class Form : IWin32Window, IDisposable
    {
        public bool TopMost { get; set; }
        public bool IsDisposed { get; private set; }
        public IntPtr Handle { get { return new IntPtr(1); } }
        public Form() { Boxwright.StandIn.Recorder.Entries.Add("owner"); }
        public void Dispose()
        {
            if (IsDisposed) return;
            IsDisposed = true;
            Boxwright.StandIn.Recorder.Entries.Add("owner disposed");
        }
    }

    public class Timer : IDisposable
    {
        public int Interval { get; set; }
        public bool Enabled { get; set; }
        public event EventHandler Tick;
        public Timer() { Boxwright.StandIn.Recorder.CurrentTimer = this; }
        public void Start() { Enabled = true; Boxwright.StandIn.Recorder.Entries.Add("timer " + Interval); }
        public void Stop() { Enabled = false; }
        public void Dispose() { Enabled = false; }
        internal void Fire() { Boxwright.StandIn.Recorder.Entries.Add("tick"); if (Tick != null) Tick(this, EventArgs.Empty); }
    }

    public static class Application
    {
        public static void EnableVisualStyles() { Boxwright.StandIn.Recorder.Entries.Add("styles"); }
    }

    public static class MessageBox
    {
        public static DialogResult Show(string text) { return Boxwright.StandIn.Recorder.Show(1, text, "", MessageBoxButtons.OK, MessageBoxIcon.None, MessageBoxDefaultButton.Button1, 0); }
        public static DialogResult Show(string text, string caption) { return Boxwright.StandIn.Recorder.Show(2, text, caption, MessageBoxButtons.OK, MessageBoxIcon.None, MessageBoxDefaultButton.Button1, 0); }
        public static DialogResult Show(string text, string caption, MessageBoxButtons buttons) { return Boxwright.StandIn.Recorder.Show(3, text, caption, buttons, MessageBoxIcon.None, MessageBoxDefaultButton.Button1, 0); }
        public static DialogResult Show(string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon) { return Boxwright.StandIn.Recorder.Show(4, text, caption, buttons, icon, MessageBoxDefaultButton.Button1, 0); }
        public static DialogResult Show(string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon, MessageBoxDefaultButton defaultButton) { return Boxwright.StandIn.Recorder.Show(5, text, caption, buttons, icon, defaultButton, 0); }
        public static DialogResult Show(string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon, MessageBoxDefaultButton defaultButton, MessageBoxOptions options) { return Boxwright.StandIn.Recorder.Show(6, text, caption, buttons, icon, defaultButton, options); }
        public static DialogResult Show(IWin32Window owner, string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon) { return Boxwright.StandIn.Recorder.Show(5, text, caption, buttons, icon, MessageBoxDefaultButton.Button1, 0, owner); }
        public static DialogResult Show(IWin32Window owner, string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon, MessageBoxDefaultButton defaultButton) { return Boxwright.StandIn.Recorder.Show(6, text, caption, buttons, icon, defaultButton, 0, owner); }
        public static DialogResult Show(IWin32Window owner, string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon, MessageBoxDefaultButton defaultButton, MessageBoxOptions options) { return Boxwright.StandIn.Recorder.Show(7, text, caption, buttons, icon, defaultButton, options, owner); }
    }
}

namespace Boxwright.StandIn
{
    using System.Windows.Forms;

    public static class Recorder
    {
        public static readonly List<string> Entries = new List<string>();
        public static Timer CurrentTimer;
        static readonly Queue<int> answers = new Queue<int>();

        public static void Start(int[] queued)
        {
            Entries.Clear();
            CurrentTimer = null;
            answers.Clear();
            foreach (int answer in queued) answers.Enqueue(answer);
        }

        public static void Load() { Entries.Add("load"); }

        // Printable ASCII but \ and | as itself, any other UTF-16 unit as \uXXXX.
        public static string Escape(string text)
        {
            if (text == null) return "<null>";
            var sb = new StringBuilder(text.Length);
            foreach (char c in text)
            {
                if (c >= 0x20 && c < 0x7F && c != '\\' && c != '|') sb.Append(c);
                else sb.Append("\\u").Append(((int)c).ToString("X4"));
            }
            return sb.ToString();
        }

        static string IconName(MessageBoxIcon icon)
        {
            switch ((int)icon)
            {
                case 16: return "Error";
                case 32: return "Question";
                case 48: return "Warning";
                case 64: return "Information";
                default: return ((int)icon).ToString();
            }
        }

        static string OptionsName(MessageBoxOptions options)
        {
            int rest = (int)options; var names = new List<string>();
            if ((rest & 524288) != 0) { names.Add("RightAlign"); rest &= ~524288; }
            if ((rest & 4096) != 0) { names.Add("SystemModal"); rest &= ~4096; }
            if (rest != 0) names.Add(rest.ToString());
            return names.Count == 0 ? "none" : string.Join("+", names);
        }

        internal static DialogResult Show(int arguments, string text, string caption, MessageBoxButtons buttons,
                                          MessageBoxIcon icon, MessageBoxDefaultButton defaultButton, MessageBoxOptions options, IWin32Window owner = null)
        {
            if (CurrentTimer != null && CurrentTimer.Enabled && owner == null) Entries.Add("(timer running while a box without owner shows)");
            Entries.Add("call " + arguments + (owner != null ? "|owner" : "") + "|" + Escape(text) + "|" + Escape(caption) + "|" +
                        (Enum.IsDefined(typeof(MessageBoxButtons), buttons) ? buttons.ToString() : ((int)buttons).ToString()) + "|" +
                        IconName(icon) + "|" +
                        (Enum.IsDefined(typeof(MessageBoxDefaultButton), defaultButton) ? defaultButton.ToString() : ((int)defaultButton).ToString()) + "|" +
                        OptionsName(options));
            if (answers.Count == 0)
            {
                Entries.Add("(no answer queued)");
                return DialogResult.None;
            }
            int answer = answers.Dequeue();
            if (answer != -1) return (DialogResult)answer;
            // -1: nobody answers; the time runs out.
            if (CurrentTimer == null || !CurrentTimer.Enabled) { Entries.Add("(time ran out, but no timer runs)"); return DialogResult.None; }
            CurrentTimer.Fire();
            var form = owner as Form;
            if (form == null || !form.IsDisposed) { Entries.Add("(the tick did not close the box)"); return DialogResult.None; }
            // What Windows PowerShell 5.1 (.NET Framework) makes of MessageBox's 0: No.
            return DialogResult.No;
        }
    }
}
'@

function Add-Type {
    param([Parameter(Mandatory)][string[]] $AssemblyName)
    if ($AssemblyName.Count -ne 1 -or $AssemblyName[0] -ne 'System.Windows.Forms') {
        throw "the runner loads only System.Windows.Forms, not $AssemblyName"
    }
    [Boxwright.StandIn.Recorder]::Load()
}

$script:passed = 0
$script:failed = 0
$script:parsedCount = 0
$script:runCount = 0
$script:pathCount = 0
$script:reported = 0

function Write-Failure([string] $name, [string] $what) {
    $script:reported++
    if ($script:reported -le 40) {
        [Console]::Out.WriteLine("FAIL $name : $what")
    } elseif ($script:reported -eq 41) {
        [Console]::Out.WriteLine('(further failures not shown)')
    }
}

# Zero parse errors; returns the first error's text or $null.
function Test-Parse([string] $file) {
    $tokens = $null
    $errors = $null
    [void][System.Management.Automation.Language.Parser]::ParseFile($file, [ref]$tokens, [ref]$errors)
    $script:parsedCount++
    if ($errors.Count -gt 0) {
        return "parse error at line $($errors[0].Extent.StartLineNumber): $($errors[0].Message)"
    }
    return $null
}

# Runs the file with the answers queued; returns the recorded entries, or an
# error line as the last entry.
function Invoke-Dialog([string] $file, [int[]] $answers) {
    [Boxwright.StandIn.Recorder]::Start($answers)
    $script:runCount++
    $failure = $null
    try {
        $null = & $file
    } catch {
        $failure = "error: $($_.Exception.Message)"
    }
    $entries = [string[]][Boxwright.StandIn.Recorder]::Entries.ToArray()
    if ($failure) { $entries += $failure }
    return , $entries
}

function Read-Paths([string] $file) {
    $paths = [System.Collections.Generic.List[object]]::new()
    foreach ($line in [System.IO.File]::ReadAllLines($file)) {
        if ($line.StartsWith('path ')) {
            $paths.Add([pscustomobject]@{
                Answers = [int[]]($line.Substring(5) -split ' ')
                Lines   = [System.Collections.Generic.List[string]]::new()
            })
        } elseif ($line.Length -gt 0) {
            $paths[$paths.Count - 1].Lines.Add($line)
        }
    }
    return , $paths
}

function Show-Difference([string[]] $want, [string[]] $got) {
    $count = [Math]::Max($want.Count, $got.Count)
    for ($i = 0; $i -lt $count; $i++) {
        $w = if ($i -lt $want.Count) { $want[$i] } else { '(nothing)' }
        $g = if ($i -lt $got.Count) { $got[$i] } else { '(nothing)' }
        if ($w -cne $g) {
            $cut = { param($s) if ($s.Length -gt 300) { $s.Substring(0, 300) + '...' } else { $s } }
            return "entry $($i + 1): expected [$(& $cut $w)] got [$(& $cut $g)]"
        }
    }
    return $null
}

foreach ($folder in $Checked) {
    foreach ($item in Get-ChildItem -LiteralPath $folder -Filter *.ps1 | Sort-Object Name) {
        $name = $item.Name
        $expect = [System.IO.Path]::ChangeExtension($item.FullName, '.expect')
        $problem = Test-Parse $item.FullName
        if (-not $problem -and -not (Test-Path -LiteralPath $expect)) { $problem = 'no .expect file' }
        if (-not $problem) {
            $paths = Read-Paths $expect
            if ($paths.Count -eq 0) { $problem = 'no answer path in .expect' }
            foreach ($path in $paths) {
                $script:pathCount++
                $got = Invoke-Dialog $item.FullName $path.Answers
                $difference = Show-Difference ([string[]]$path.Lines) $got
                if ($difference -and -not $problem) { $problem = "answers $($path.Answers -join ','): $difference" }
            }
        }
        if ($problem) { $script:failed++; Write-Failure $name $problem } else { $script:passed++ }
    }
}

foreach ($folder in $Loose) {
    if (-not (Test-Path -LiteralPath $folder)) { continue }
    foreach ($item in Get-ChildItem -LiteralPath $folder -Filter *.ps1 | Sort-Object Name) {
        $name = "$($item.Directory.Name)/$($item.Name)"
        $problem = Test-Parse $item.FullName
        if (-not $problem) {
            # Answer -1 is the time running out, for a script with a timer.
            $answers = [System.Collections.Generic.List[int]]::new([int[]](1..7))
            foreach ($answer in $answers) {
                $got = Invoke-Dialog $item.FullName @($answer, 1)
                $calls = 0
                $bad = $null
                foreach ($entry in $got) {
                    if ($entry.StartsWith('call ')) { $calls++ }
                    elseif ($entry.StartsWith('timer ') -and -not $answers.Contains(-1)) { $answers.Add(-1) }
                    elseif ($entry -cnotin 'load', 'styles', 'owner', 'owner disposed', 'tick' -and
                            -not $entry.StartsWith('timer ') -and -not $bad) { $bad = $entry }
                }
                if ($bad) { $problem = "answer ${answer}: $bad" }
                elseif ($got.Count -lt 2 -or $got[0] -cne 'load') { $problem = "answer ${answer}: no assembly load before the first box" }
                elseif ($calls -lt 1 -or $calls -gt 2) { $problem = "answer ${answer}: $calls boxes shown" }
                if ($problem) { break }
            }
        }
        if ($problem) { $script:failed++; Write-Failure $name $problem } else { $script:passed++ }
    }
}

[Console]::Out.WriteLine("$($script:parsedCount) scripts parsed, $($script:runCount) runs, $($script:pathCount) answer paths checked against expectations, PowerShell $($PSVersionTable.PSVersion)")
[Console]::Out.WriteLine("$($script:passed) passed, $($script:failed) failed")
if ($script:failed -gt 0 -or $script:passed -eq 0) { exit 1 }
exit 0
