selectkey = MsgBox("Save the file?"&vbCrLf&"It will be "&Chr(34)&"final"&Chr(34)&".", 3 + 32, "Question")
Select Case SelectKey
Case 6
SelectKey = MsgBox("Saved.", 0 + 32, "Question")
