selectkey = MsgBox("Save the file?"&vbCrLf&"It will be "&Chr(34)&"final"&Chr(34)&".", 3 + 32 + vbMsgBoxRight, "Question")
