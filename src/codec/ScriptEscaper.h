#pragma once

#include <string>
#include <string_view>

namespace bw {

// Escaping of a text for a string literal of the script, in one left-to-right
// pass. Each of these characters closes the literal, is appended as a VBScript
// expression, and opens the literal again:
//   a double quote                "&Chr(34)&"
//   a CR LF pair                  "&vbCrLf&"
//   a lone CR, a lone LF          "&vbCr&", "&vbLf&"   (a literal cannot span lines)
//   NUL                           "&Chr(0)&"
//   a unit code page 932 lacks    "&ChrW(n)&"
// (each in double quotes). Every other character stays as it is, so a text
// without any of them is written exactly as typed.
std::u16string escapeForLiteral(std::u16string_view text);

}  // namespace bw
