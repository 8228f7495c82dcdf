# Right-click and choose PowerShell で実行, or run: powershell -ExecutionPolicy Bypass -File dialog.ps1
Add-Type -AssemblyName System.Windows.Forms
$answer = [System.Windows.Forms.MessageBox]::Show('', '', 'RetryCancel', 'Error', 'Button1', 'RightAlign')
switch ([int]$answer) {
    # 4 { [void][System.Windows.Forms.MessageBox]::Show('', '', 'OK', 'Error', 'Button1', 'RightAlign') }
    # 2 { [void][System.Windows.Forms.MessageBox]::Show('', '', 'OK', 'Error', 'Button1', 'RightAlign') }
    # 3 { [void][System.Windows.Forms.MessageBox]::Show('', '', 'OK', 'Error', 'Button1', 'RightAlign') }
}
