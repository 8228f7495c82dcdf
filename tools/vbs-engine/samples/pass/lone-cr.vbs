selectkey = MsgBox("ab", 0 + 48, "T")
