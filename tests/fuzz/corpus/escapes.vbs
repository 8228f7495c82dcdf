selectkey = MsgBox(""&Chr(34)&""&vbCrLf&""&Chr(34)&"&vbCrLf&"&Chr(34)&"&&Chr(34)&&"&vbCrLf&"ab
c ' , +", 2 + 64 + vbMsgBoxRight, ""&Chr(34)&"quoted"&Chr(34)&" + vbMsgBoxRight Åï ëËñº")
Select Case SelectKey
Case 3
'SelectKey = MsgBox(""&ChrW(233)&""&ChrW(8364)&""&ChrW(165)&""&ChrW(55357)&""&ChrW(56832)&"", 0 + 64 + vbMsgBoxRight, ""&Chr(34)&"quoted"&Chr(34)&" + vbMsgBoxRight Åï ëËñº")
Case 4
SelectKey = MsgBox("", 0 + 64 + vbMsgBoxRight, ""&Chr(34)&"quoted"&Chr(34)&" + vbMsgBoxRight Åï ëËñº")
Case 5
'SelectKey = MsgBox("&vbCrLf&"&Chr(34)&""&vbCrLf&"", 0 + 64 + vbMsgBoxRight, ""&Chr(34)&"quoted"&Chr(34)&" + vbMsgBoxRight Åï ëËñº")
End Select
