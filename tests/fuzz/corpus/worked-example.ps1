# Boxwright のダイアログです。実行するには、このファイルを右クリックして「PowerShell で実行」を選ぶか、powershell -ExecutionPolicy Bypass -File ファイル名.ps1 と入力します。
Add-Type -AssemblyName System.Windows.Forms
$answer = [System.Windows.Forms.MessageBox]::Show('Save the file?' + "`r`n" + 'It will be "final".', 'Question', [System.Windows.Forms.MessageBoxButtons]::YesNoCancel, [System.Windows.Forms.MessageBoxIcon]::Question, [System.Windows.Forms.MessageBoxDefaultButton]::Button2, [System.Windows.Forms.MessageBoxOptions]::RightAlign)
switch ([int]$answer) {
    6 {
        [void][System.Windows.Forms.MessageBox]::Show('Saved.', 'Question', [System.Windows.Forms.MessageBoxButtons]::OK, [System.Windows.Forms.MessageBoxIcon]::Question, [System.Windows.Forms.MessageBoxDefaultButton]::Button1, [System.Windows.Forms.MessageBoxOptions]::RightAlign)
    }
    7 {
        [void][System.Windows.Forms.MessageBox]::Show('Not saved.', 'Question', [System.Windows.Forms.MessageBoxButtons]::OK, [System.Windows.Forms.MessageBoxIcon]::Question, [System.Windows.Forms.MessageBoxDefaultButton]::Button1, [System.Windows.Forms.MessageBoxOptions]::RightAlign)
    }
    2 {
        # [void][System.Windows.Forms.MessageBox]::Show('本文', 'Question', [System.Windows.Forms.MessageBoxButtons]::OK, [System.Windows.Forms.MessageBoxIcon]::Question, [System.Windows.Forms.MessageBoxDefaultButton]::Button1, [System.Windows.Forms.MessageBoxOptions]::RightAlign)
    }
}
