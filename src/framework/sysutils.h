// Conversions between numbers and texts, and message formatting.  Texts
// are cp932 byte strings; digits, signs and separators are ASCII.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A 32-bit signed integer from text: leading blanks, an optional "+" or
// "-", then decimal digits or "$" and hexadecimal digits, and nothing after.
// Decimal values must lie in -2147483648 .. 2147483647.  Hexadecimal
// digits are a 32-bit pattern: "$0" .. "$FFFFFFFF" ("$FFFFFFFF" is -1);
// with a sign the magnitude must fit the signed range ("-$80000000").
// Anything else throws EConvertError "'text' wa seisuu dewa arimasen"
// (kMsgNotAnInteger).
int32_t StrToInt(const std::string& text);
// The same rules without the exception: false leaves `value` unchanged.
bool TryStrToInt(std::string_view text, int32_t& value);

std::string IntToStr(int64_t value);

// A floating-point number from text: leading and trailing blanks, an
// optional sign, digits with an optional "." and fraction, an optional
// exponent ("E" or "e", optional sign, digits).  No hexadecimal, infinity
// or NaN.  "." is the decimal separator whatever the locale.
bool TryStrToFloat(std::string_view text, double& value);
double StrToFloat(const std::string& text);  // EConvertError when not a number

// A number written with a picture format:
//   0      a digit, always written
//   #      a digit, written only when significant
//   .      the decimal separator (the first one; later ones are ignored)
//   ,      thousands separators in the integer part (anywhere before ".")
//   E+ E- e+ e-  scientific notation; the 0 placeholders that follow give
//          the least number of exponent digits (at most 4); E+ writes "+"
//          for positive exponents, E- writes only "-"
//   'x' "x"  literal text; any other character is literal too
//   ;      separates sections: one section for all values, two for
//          positive-or-zero and negative, three for positive, negative and
//          zero.  A negative section writes no "-" of its own; an empty
//          section falls back to the first.
// The value is rounded (half away from zero, on its 15 significant digits)
// to the decimals the section shows; a value that rounds to zero counts as
// zero.  Digits the integer placeholders cannot hold are written at the
// first one.  An empty format, and values of 1e18 and more written without
// exponent, are written as FloatToStr does.  Infinity and NaN throw
// EConvertError.
std::string FormatFloat(std::string_view format, double value);
// The value with up to 15 significant digits and no trailing zeros, in
// scientific notation ("1.5E+20", "1E-5") when the decimal exponent is
// below -4 or 15 and above; "INF", "-INF", "NAN" for the special values.
std::string FloatToStr(double value);

// printf into a std::string (for the framework's messages).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
