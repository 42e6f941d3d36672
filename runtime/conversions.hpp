// The runtime's number and text conversions, with its rounding and error rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace bolvenda::runtime {

// Single to text: whole numbers as plain digits ("0", "7", "-3"), no blank, no point, no
// exponent; other values with up to 7 significant digits and the Italian decimal comma.
std::string single_to_text(float value);

// Text to number by the leading-number rule: blanks, tabs and line feeds are skipped
// anywhere, then an optional sign, digits, a decimal point and an exponent (E or D) are read
// up to the first character that cannot continue the number; "&H" and "&O" read hex and
// octal. No number at all gives 0.
double text_to_number(std::string_view text);

// Rounds to single precision; a finite value beyond the single range raises overflow.
float to_single(double value);

// Single to a 32-bit integer, rounding halves to even; outside the 32-bit range, or not a
// number, raises overflow.
std::int32_t to_int32(float value);

// The greatest whole number not greater than value.
float whole_part(float value);

// target = a + b in single precision. The sum is stored first; then an overflow, invalid
// operation or division by zero of the step raises the runtime's error. An inexact sum is
// fine. A result that is not finite counts as overflow (or invalid for NaN), so a counter
// that somehow reached infinity fails at its next step rather than counting on silently.
void add_single(float& target, float a, float b);

}  // namespace bolvenda::runtime
