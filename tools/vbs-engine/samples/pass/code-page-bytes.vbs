selectkey = MsgBox("€ ýþÿ", 0 + 16, "x")
