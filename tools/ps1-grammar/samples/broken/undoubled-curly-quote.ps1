# Right-click and choose PowerShell で実行, or run: powershell -ExecutionPolicy Bypass -File dialog.ps1
Add-Type -AssemblyName System.Windows.Forms
[void][System.Windows.Forms.MessageBox]::Show('It’s', 'Title', 'OK', 'Information')
