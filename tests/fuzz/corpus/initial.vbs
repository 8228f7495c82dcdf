selectkey = MsgBox("", 0 + 16, "")
