selectkey = MsgBox("a "b + c" d", 4 + 48, "T")
Select Case SelectKey
Case 6
 'SelectKey = MsgBox("s"&ChrW(65536)&"", 0 + 16, "t")
