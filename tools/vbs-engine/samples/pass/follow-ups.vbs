selectkey = MsgBox("保存しますか？ "&Chr(34)&"はい"&Chr(34)&" で保存。"&vbCrLf&""&ChrW(8364)&" "&ChrW(55357)&""&ChrW(56832)&"", 3 + 32, "タイトル")
Select Case SelectKey
Case 6
SelectKey = MsgBox("保存しました。", 0 + 32, "タイトル")
Case 7
SelectKey = MsgBox("保存しません。", 0 + 32, "タイトル")
Case 2
'SelectKey = MsgBox("取り消し", 0 + 32, "タイトル")
End Select
