selectkey = MsgBox("ファイルを保存しますか？"&vbCrLf&"ｱｲｳｴｵ", 5 + 48, "確認")
Select Case SelectKey
Case 4
SelectKey = MsgBox("再試行します。", 0 + 48, "確認")
Case 2
SelectKey = MsgBox("キャンセルしました。", 0 + 48, "確認")
Case 1
SelectKey = MsgBox("本文", 0 + 48, "確認")
End Select
