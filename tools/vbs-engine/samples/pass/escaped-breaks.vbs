selectkey = MsgBox("a"&vbCr&"b"&vbLf&"c"&Chr(0)&"d"&vbCrLf&"e", 0 + 64 + 524288, "T"&vbCrLf&"2")
