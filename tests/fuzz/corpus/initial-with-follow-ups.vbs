selectkey = MsgBox("", 0 + 16, "")
Select Case SelectKey
Case 1
SelectKey = MsgBox("–{•¶", 0 + 16, "")
Case 2
SelectKey = MsgBox("–{•¶", 0 + 16, "")
Case 3
SelectKey = MsgBox("–{•¶", 0 + 16, "")
End Select
