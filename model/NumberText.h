#pragma once

#include <optional>
#include <string>
#include <string_view>

// Numbers in the program's texts, files and reports have one form on every
// desktop: a point before the decimals and nothing between the thousands.
// printf and strtod follow the C locale, which Qt sets from the desktop at
// start (a German desktop would show "0,30oct" beside "0.0dB"), so number
// texts are written and read here, with the locale-free std::to_chars and
// std::from_chars.

// `value` with `decimals` decimals, the very bytes printf("%.*f") gives in the
// C locale: the same rounding, "-0.0" and all.
std::string FixedText(double value, int decimals);

// `text` with a decimal comma made a point and the minus sign U+2212 made
// '-', ready for std::from_chars, which takes neither. Typed values and the
// files of measurement tools come with either, depending on the desktop.
std::string DecimalPointText(std::string_view text);

// The number a typed text starts with (after spaces and tabs), with a
// decimal point or comma; none when it starts with none, or with "nan". A
// number too large for a double counts as infinitely far out, so that it is
// clamped like any value out of range.
std::optional<double> LeadingNumber(std::string_view typed);
// The same for a whole number; digits after a point or comma are ignored,
// and one too large for a long long is taken at its nearer limit.
std::optional<long long> LeadingInteger(std::string_view typed);
