#include "model/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

std::string FixedText(double value, int decimals)
{
    // The largest double has 309 digits before the point.
    std::array<char, std::numeric_limits<double>::max_exponent10 + 80> buffer{};
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
    return error == std::errc() ? std::string(buffer.data(), end) : std::string();
}

std::string DecimalPointText(std::string_view text)
{
    static constexpr std::string_view kUnicodeMinus = "\xE2\x88\x92";
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text.substr(i, kUnicodeMinus.size()) == kUnicodeMinus)
        {
            out += '-';
            i += kUnicodeMinus.size() - 1;
        }
        else
            out += text[i] == ',' ? '.' : text[i];
    }
    return out;
}

namespace
{
std::string_view SkipSpaces(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}
}

std::optional<double> LeadingNumber(std::string_view typed)
{
    const std::string text = DecimalPointText(typed);
    const std::string_view number = SkipSpaces(text);
    double value = 0;
    const auto [ptr, ec] =
        std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    if (ptr == number.data())
        return std::nullopt;
    if (ec == std::errc::result_out_of_range)
        value =
            number.front() == '-' ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    if (std::isnan(value))
        return std::nullopt;
    return value;
}

std::optional<long long> LeadingInteger(std::string_view typed)
{
    const std::string text = DecimalPointText(typed);
    const std::string_view number = SkipSpaces(text);
    long long value = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ptr == number.data())
        return std::nullopt;
    if (ec == std::errc::result_out_of_range)
        value = number.front() == '-' ? std::numeric_limits<long long>::min() : std::numeric_limits<long long>::max();
    return value;
}
