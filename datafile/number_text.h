#pragma once
// Numbers in data files and reports, read and written the same way under every locale.

#include <string>
#include <string_view>

#include "app/text_rules.h"  // leadingNumber, the integers of data files and profile files

namespace korvel {

// The leading decimal number as atof reads it (blanks, sign, digits, '.', digits, exponent);
// 0 when the text does not begin with a number. Always '.' as the decimal point.
double leadingDecimal(std::string_view text);

// The value with exactly `decimals` digits after a '.', rounded to nearest.
std::string fixedDecimals(double value, int decimals);

// The value as "%0<width>d" writes it: at least `width` digits, zeros in front.
std::string zeroPadded(int value, int width);

}  // namespace korvel
