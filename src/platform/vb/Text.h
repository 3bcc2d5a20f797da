// Text and number conversions the handlers rely on.
#pragma once

#include <string>
#include <string_view>

#include "platform/vb/Int16.h"

namespace vb {

// The signed-number form: one blank before a value of 0 or more, a minus sign before a negative
// one ("  45" reads " 45"; -3 reads "-3").
std::string Str(long long value);

// Blanks (the space character only) removed at the start, the end, or both ends.
std::string LTrim(std::string_view text);
std::string RTrim(std::string_view text);
std::string Trim(std::string_view text);

std::string UCase(std::string_view text);

// The first n characters (all of them when the text is shorter).
std::string Left(std::string_view text, std::size_t n);

// The number a text begins with: leading blanks, tabs and line feeds are skipped, blanks between
// digits are ignored, a sign, a decimal point and an exponent are taken; reading stops at the
// first character that cannot continue the number. 0 when the text begins with no number.
// "&H1F" and "&O17" are read as hexadecimal and octal.
double Val(std::string_view text);

// A number rounded to the nearest whole number (halves to the even neighbour) as a 16-bit
// integer; raises 6 when it lies outside the range.
Int16 CInt(double value);

// The leading-number conversion of a settings item: CInt(Val(text)). "3" gives 3, " 3.6x"
// gives 4, "" and "abc" give 0; a number beyond the 16-bit range raises 6.
Int16 LeadingInt16(std::string_view text);

// A whole text converted to a 16-bit integer, as a text box's value is: blanks at both ends are
// ignored, the rest must be one decimal number (sign, digits, decimal point, exponent), which is
// rounded as CInt does. Raises 13 for an empty or non-numeric text and 6 outside the range.
Int16 CIntText(std::string_view text);

}  // namespace vb
