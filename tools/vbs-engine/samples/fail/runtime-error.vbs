selectkey = MsgBox("a", 0 + 48, "T")
Select Case SelectKey
Case 1
SelectKey = NoSuchBox("b", 0 + 48, "T")
End Select
