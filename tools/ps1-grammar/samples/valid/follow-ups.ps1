# Right-click and choose PowerShell で実行, or run: powershell -ExecutionPolicy Bypass -File dialog.ps1
Add-Type -AssemblyName System.Windows.Forms
$answer = [System.Windows.Forms.MessageBox]::Show('It''s' + "`r`n" + 'done', 'Title', 'YesNoCancel', 'Question')
switch ([int]$answer) {
    6 { [void][System.Windows.Forms.MessageBox]::Show('Saved.', 'Title', 'OK', 'Question') }
    7 { [void][System.Windows.Forms.MessageBox]::Show('', 'Title', 'OK', 'Question') }
    # 2 { [void][System.Windows.Forms.MessageBox]::Show('本文', 'Title', 'OK', 'Question') }
}
