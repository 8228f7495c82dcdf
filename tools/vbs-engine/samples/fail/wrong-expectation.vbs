selectkey = MsgBox("‚ ‚¢", 0 + 48, "T")
