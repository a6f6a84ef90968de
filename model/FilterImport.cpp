#include "model/FilterImport.h"

#include "model/Audio_Data.h"
#include "model/DataDefine.h"
#include "model/FilterTypes.h"
#include "model/NumberText.h"
#include "model/ParamCatalogue.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <locale>
#include <optional>
#include <sstream>

namespace FilterImport
{
namespace
{
constexpr double kLn2 = 0.69314718055994531;
constexpr const CLinearScale& kGain = Scales::kEqGain;
// Shelf slopes the bands offer, by slope step.
constexpr int kShelfSlopesDb[] = {6, 12};

std::string Upper(std::string_view text)
{
    std::string out(text);
    std::ranges::transform(out, out.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

// A number as the tools print it, with a decimal point or comma.
std::optional<double> Number(std::string_view text)
{
    const std::string digits = DecimalPointText(text);
    double value = 0.0;
    const char* pEnd = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), pEnd, value);
    if (ec != std::errc() || ptr != pEnd || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A number with its unit run on ("12dB"), or without one.
std::optional<double> NumberBefore(std::string_view text, std::string_view unit)
{
    if (text.size() > unit.size() && Upper(text.substr(text.size() - unit.size())) == unit)
        text.remove_suffix(unit.size());
    return Number(text);
}

std::vector<std::string> Tokens(std::string_view line)
{
    std::vector<std::string> tokens;
    std::istringstream in{std::string(line)};
    for (std::string token; in >> token;)
        tokens.push_back(token);
    return tokens;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80)
        out += static_cast<char>(c);
    else if (c < 0x800)
    {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    else if (c < 0x10000)
    {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string FromUtf16(std::string_view bytes, bool bigEndian)
{
    std::string out;
    auto unit = [&](size_t i)
    {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0));
    };
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    {
        char32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size())
        {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000)
            {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(out, c);
    }
    return out;
}

struct ParsedFile
{
    std::vector<FileFilter> filters;
    std::vector<Problem> problems;
};

// "12:" or ":" after the word.
bool IsNumberColon(std::string_view text)
{
    return !text.empty() && text.back() == ':'
        && std::all_of(text.begin(), text.end() - 1, [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// "Filter:", "Filter1:" or "Filter 1:"; a header such as "Filter Settings
// file" is not one.
bool IsFilterLine(const std::vector<std::string>& tokens)
{
    const std::string first = Upper(tokens[0]);
    if (first.rfind("FILTER", 0) != 0)
        return false;
    if (first.size() > 6)
        return IsNumberColon(std::string_view(first).substr(6));
    return tokens.size() > 1 && IsNumberColon(tokens[1]) && tokens[1] != ":";
}

std::optional<EKind> KindOf(const std::string& type, int& slopeDb)
{
    if (type == "PK" || type == "PEQ" || type == "MODAL")
        return EKind::kPeaking;
    const bool low = type.rfind("LS", 0) == 0;
    const bool high = type.rfind("HS", 0) == 0;
    if (!low && !high)
        return std::nullopt;
    const std::string rest = type.substr(2);
    if (rest == "6" || rest == "6DB")
        slopeDb = 6;
    else if (rest == "12" || rest == "12DB")
        slopeDb = 12;
    else if (!rest.empty() && rest != "C" && rest != "Q")
        return std::nullopt;
    return low ? EKind::kLowShelf : EKind::kHighShelf;
}

// One "Filter" line: a filter, nothing (switched off) or a problem.
void ParseFilterLine(const std::vector<std::string>& tokens, int line, ParsedFile& file)
{
    auto unreadable = [&] { file.problems.push_back({EProblem::kUnreadableLine, line, EValue::kNone, {}}); };
    size_t i = 1;
    // "Filter 1:" has its number apart.
    if (i < tokens.size() && tokens[0].back() != ':' && !tokens[i].empty() && tokens[i].back() == ':')
        ++i;
    if (i >= tokens.size())
        return unreadable();
    const std::string state = Upper(tokens[i++]);
    if (state == "OFF")
        return;
    if (state != "ON" || i >= tokens.size())
        return unreadable();

    const std::string type = Upper(tokens[i++]);
    FileFilter filter;
    filter.nLine = line;
    const std::optional<EKind> kind = KindOf(type, filter.nSlopeDb);
    if (!kind)
    {
        file.problems.push_back({EProblem::kUnsupportedType, line, EValue::kNone, tokens[i - 1]});
        return;
    }
    filter.eKind = *kind;

    bool hasFreq = false, hasGain = false, hasQ = false;
    std::string slopeText;
    for (; i < tokens.size(); ++i)
    {
        const std::string key = Upper(tokens[i]);
        const bool last = i + 1 >= tokens.size();
        if (key == "HZ" || key == "DB")
            continue;
        if (key == "FC" && !last)
        {
            const std::optional<double> hz = NumberBefore(tokens[++i], "HZ");
            if (!hz)
                return unreadable();
            filter.dFreq = *hz;
            if (i + 1 < tokens.size() && Upper(tokens[i + 1]) == "KHZ")
                filter.dFreq *= 1000.0, ++i;
            hasFreq = true;
        }
        else if (key == "GAIN" && !last)
        {
            const std::optional<double> db = NumberBefore(tokens[++i], "DB");
            if (!db)
                return unreadable();
            filter.dGainDb = *db;
            hasGain = true;
        }
        else if (key == "Q" && !last)
        {
            const std::optional<double> q = Number(tokens[++i]);
            if (!q)
                return unreadable();
            filter.dQ = *q;
            hasQ = true;
        }
        else if (key == "BW" && i + 2 < tokens.size() && Upper(tokens[i + 1]) == "OCT")
        {
            const std::optional<double> octaves = Number(tokens[i + 2]);
            if (!octaves)
                return unreadable();
            filter.dQ = *octaves > 0.0 ? QOfBandwidth(*octaves) : 0.0;
            hasQ = true;
            i += 2;
        }
        else if (filter.eKind != EKind::kPeaking && !hasFreq && slopeText.empty() && NumberBefore(key, "DB"))
        {
            // "LSC 12 dB Fc ...": the slope comes before the frequency.
            slopeText = tokens[i];
            filter.nSlopeDb = static_cast<int>(std::lround(*NumberBefore(key, "DB")));
            if (std::abs(*NumberBefore(key, "DB") - filter.nSlopeDb) > 1e-9)
                filter.nSlopeDb = -1;
        }
        else
            return unreadable();
    }
    if (!hasFreq || !hasGain || (filter.eKind == EKind::kPeaking && !hasQ))
        return unreadable();
    if (filter.nSlopeDb != 6 && filter.nSlopeDb != 12)
    {
        file.problems.push_back({EProblem::kOutOfRange, line, EValue::kSlope, slopeText});
        return;
    }
    file.filters.push_back(filter);
}

ParsedFile ParseFile(const std::string& text)
{
    ParsedFile file;
    std::istringstream in(text);
    int line = 0;
    for (std::string raw; std::getline(in, raw);)
    {
        ++line;
        const std::vector<std::string> tokens = Tokens(raw);
        if (tokens.empty())
            continue;
        const std::string first = Upper(tokens[0]);
        if (first == "PREAMP:")
        {
            const std::optional<double> db =
                tokens.size() >= 2 ? NumberBefore(tokens[1], "DB") : std::optional<double>{};
            if (!db || tokens.size() > 3 || (tokens.size() == 3 && Upper(tokens[2]) != "DB"))
                file.problems.push_back({EProblem::kUnreadableLine, line, EValue::kNone, {}});
            else if (*db != 0.0)
                file.problems.push_back({EProblem::kPreampNotApplied, line, EValue::kNone, tokens[1]});
        }
        else if (IsFilterLine(tokens))
            ParseFilterLine(tokens, line, file);
    }
    return file;
}

// The stream's own locale, not the global one, which may group thousands
// ("25.000" for 25000) or write a decimal comma.
std::string Written(double value)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << value;
    return out.str();
}

// Response width of a bandwidth step in the processor's design, as the Q
// of the common biquad.
double EffectiveQ(int step)
{
    return 1.0 / (2.0 * std::sinh(kLn2 * Scales::kBandwidth.Value(step)));
}
}

bool Plan::CanApply() const
{
    return std::ranges::any_of(bands, [](const PlannedBand& band) { return band.bFromFile; });
}

std::string DecodeText(std::string_view bytes)
{
    std::string text;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE)
        text = FromUtf16(bytes.substr(2), false);
    else if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE
             && static_cast<unsigned char>(bytes[1]) == 0xFF)
        text = FromUtf16(bytes.substr(2), true);
    else if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
        text = std::string(bytes.substr(3));
    else
        text = std::string(bytes);

    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == '\r')
        {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        }
        else
            out += text[i];
    }
    return out;
}

double QOfBandwidth(double octaves)
{
    return 1.0 / (2.0 * std::sinh(kLn2 / 2.0 * octaves));
}

int WidthStepForQ(double q)
{
    // Half a step beyond either end still rounds onto it.
    const double narrowest = std::sqrt(EffectiveQ(kBandwidthMin) * EffectiveQ(kBandwidthMin) * EffectiveQ(kBandwidthMin)
                                       / EffectiveQ(kBandwidthMin + 1));
    const double widest = std::sqrt(EffectiveQ(kBandwidthMax) * EffectiveQ(kBandwidthMax) * EffectiveQ(kBandwidthMax)
                                    / EffectiveQ(kBandwidthMax - 1));
    if (!(q > 0.0) || q > narrowest || q < widest)
        return -1;
    int best = kBandwidthMin;
    for (int step = kBandwidthMin; step <= kBandwidthMax; ++step)
        if (std::abs(std::log(EffectiveQ(step) / q)) < std::abs(std::log(EffectiveQ(best) / q)))
            best = step;
    return best;
}

Plan PlanImport(std::string_view fileBytes, const CAudio_Data& data, ChannelAddress channel, bool locked)
{
    Plan plan;
    plan.channel = channel;
    const int nChannel = channel.nIndex;
    if (locked)
    {
        plan.problems.push_back({EProblem::kLocked, 0, EValue::kNone, {}});
        return plan;
    }
    const bool geq = !channel.bInput && data.Output(nChannel).GetGeqMode() != 0;
    if (geq)
    {
        plan.problems.push_back({EProblem::kGraphicMode, 0, EValue::kNone, {}});
        return plan;
    }

    const EParam freqParam = channel.Pick(EParam::kInBandFreq, EParam::kOutBandFreq);
    const EParam typeParam = channel.Pick(EParam::kInBandType, EParam::kOutBandType);
    const EParam widthParam = channel.Pick(EParam::kInBandWidth, EParam::kOutBandWidth);
    const EParam slopeParam = channel.Pick(EParam::kInBandSlope, EParam::kOutBandSlope);
    const int bandCount = ParamCatalogue::IndexCount(freqParam);
    for (int band = 0; band < bandCount; ++band)
    {
        const ParamAt at{nChannel, band};
        PlannedBand planned;
        planned.nBand = band;
        planned.nFreq = ParamCatalogue::Get(freqParam, data, at);
        planned.nGainStep = kEqGainZero;
        planned.nWidthStep = ParamCatalogue::Get(widthParam, data, at);
        planned.nSlope = ParamCatalogue::Get(slopeParam, data, at);
        plan.bands.push_back(planned);
    }

    const ParsedFile file = ParseFile(DecodeText(fileBytes));
    plan.problems = file.problems;
    auto problem = [&](EProblem kind, int line, EValue value = EValue::kNone, std::string detail = {})
    { plan.problems.push_back({kind, line, value, std::move(detail)}); };

    for (const FileFilter& filter : file.filters)
    {
        const int wantedType = filter.eKind == EKind::kPeaking   ? kFilterParametric
                               : filter.eKind == EKind::kLowShelf ? kFilterLowShelf
                                                                  : kFilterHighShelf;
        const bool typeExists = std::ranges::any_of(plan.bands, [&](const PlannedBand& b) {
            return ParamCatalogue::Get(typeParam, data, {nChannel, b.nBand}) == wantedType;
        });
        if (!typeExists)
        {
            problem(EProblem::kUnsupportedType, filter.nLine, EValue::kNone,
                    filter.eKind == EKind::kLowShelf ? "LS" : filter.eKind == EKind::kHighShelf ? "HS" : "PK");
            continue;
        }
        auto free = std::ranges::find_if(plan.bands, [&](const PlannedBand& b) {
            return !b.bFromFile && ParamCatalogue::Get(typeParam, data, {nChannel, b.nBand}) == wantedType;
        });
        if (free == plan.bands.end())
        {
            problem(EProblem::kTooManyFilters, filter.nLine);
            continue;
        }

        const ParamCatalogue::StepRange freqRange = ParamCatalogue::Range(freqParam, data, {nChannel, free->nBand});
        // The axis point, in whole hertz as the band stores it.
        const long axisHz = std::lround(Scales::kFrequency.AxisPoint(filter.dFreq));
        const int freq = static_cast<int>(std::clamp<long>(axisHz, kFreqMin, kFreqMax));
        // A frequency more than half an axis step outside the band's range is refused.
        const bool freqOk = filter.dFreq >= freqRange.nMin * 0.98 && filter.dFreq <= freqRange.nMax * 1.02;
        if (!freqOk)
        {
            problem(EProblem::kOutOfRange, filter.nLine, EValue::kFrequency, Written(filter.dFreq));
            continue;
        }
        // Half a step beyond either end still rounds onto it.
        if (filter.dGainDb < kGain.Value(kGain.nMinStep) - kGain.dStep / 2
            || filter.dGainDb > kGain.Value(kGain.nMaxStep) + kGain.dStep / 2)
        {
            problem(EProblem::kOutOfRange, filter.nLine, EValue::kGain, Written(filter.dGainDb));
            continue;
        }
        int widthStep = free->nWidthStep;
        if (filter.eKind == EKind::kPeaking)
        {
            widthStep = WidthStepForQ(filter.dQ);
            if (widthStep < 0)
            {
                problem(EProblem::kOutOfRange, filter.nLine, EValue::kQ, Written(filter.dQ));
                continue;
            }
        }
        free->bFromFile = true;
        free->source = filter;
        free->nFreq = std::clamp(freq, freqRange.nMin, freqRange.nMax);
        free->nGainStep = std::clamp(kGain.NearestStep(filter.dGainDb), kGain.nMinStep, kGain.nMaxStep);
        free->nWidthStep = widthStep;
        if (filter.eKind != EKind::kPeaking)
            free->nSlope = filter.nSlopeDb == kShelfSlopesDb[1] ? 1 : 0;
    }
    if (file.filters.empty() && std::ranges::none_of(plan.problems, [](const Problem& p) {
            return p.eProblem == EProblem::kUnsupportedType || p.eProblem == EProblem::kOutOfRange;
        }))
        problem(EProblem::kNoFilters, 0);
    // As the file reads, the file-wide ones first.
    std::ranges::stable_sort(plan.problems, {}, &Problem::nLine);
    return plan;
}
}
