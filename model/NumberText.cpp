#include "model/NumberText.h"

#include <array>
#include <charconv>
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
