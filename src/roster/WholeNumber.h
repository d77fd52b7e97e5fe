// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace movrand {

// The whole number a roster value stands for, converted as the original platform's integer
// conversion converts a text (the roster's "nationality" and "team_number" were written for it).
//
// Texts that convert:
//   - blanks and tabs before and after the number are ignored ("  4 " is 4);
//   - one "+" or "-" in front ("-3", "+3");
//   - decimal digits with any number of leading zeros ("007" is 7);
//   - a decimal point with digits on either side (".5", "5.", "4.25"); the fraction is rounded
//     to the nearest whole number and an exact half to the even one ("2.5" is 2, "3.5" is 4,
//     "-2.5" is -2, "2.51" is 3);
//   - an exponent "E" or "e" with an optional sign ("1E1" is 10, "250e-2" is 2);
//   - "&H" followed by hexadecimal digits and "&O" followed by octal digits, read as a 16-bit
//     pattern up to &HFFFF ("&HFFFF" is -1) and as a 32-bit one above it ("&H10000" overflows).
// Anything else raises run-time error 13 "Type mismatch": the empty text, blanks alone,
// "Not Found!", letters, a second sign or point, thousands separators, blanks inside the number.
// A result outside -32768 to 32767 raises run-time error 6 "Overflow".
int ToWholeNumber(const std::string& text);

}  // namespace movrand
