# Right-click and choose PowerShell で実行, or run: powershell -ExecutionPolicy Bypass -File dialog.ps1
Add-Type -AssemblyName System.Windows.Forms
[void][System.Windows.Forms.MessageBox]::Show('‘‘quoted’’ ‚‚low‛‛ “double” „low”' + "`0" + '😀' + "`r" + 'x' + "`n" + '', 'タイトル' + "`r`n" + 'Zeile', 'AbortRetryIgnore', 'Warning', 'Button1', 'RightAlign')
