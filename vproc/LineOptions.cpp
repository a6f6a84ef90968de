#include "vproc/LineOptions.h"

#include "wire/WireNumbers.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace
{
std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (size_t nStart = 0;;)
    {
        const size_t nEnd = text.find(separator, nStart);
        parts.push_back(text.substr(nStart, nEnd - nStart));
        if (nEnd == std::string_view::npos)
            return parts;
        nStart = nEnd + 1;
    }
}

std::string_view Trimmed(std::string_view text)
{
    const size_t nFirst = text.find_first_not_of(' ');
    if (nFirst == std::string_view::npos)
        return {};
    return text.substr(nFirst, text.find_last_not_of(' ') - nFirst + 1);
}

bool ParseId(std::string_view text, int& nId)
{
    text = Trimmed(text);
    const auto [pEnd, error] = std::from_chars(text.data(), text.data() + text.size(), nId);
    return !text.empty() && error == std::errc() && pEnd == text.data() + text.size() && nId >= Frame::kFirstDeviceId
           && nId <= Frame::kLastDeviceId;
}

// "n" or "a-b" with a <= b, appended to ids.
bool ParseItem(std::string_view item, std::vector<int>& ids, std::string& strError)
{
    const size_t nDash = item.find('-');
    int nFirst = 0;
    int nLast = 0;
    const bool bOk = nDash == std::string_view::npos
                         ? ParseId(item, nFirst) && ParseId(item, nLast)
                         : ParseId(item.substr(0, nDash), nFirst) && ParseId(item.substr(nDash + 1), nLast);
    if (!bOk || nFirst > nLast)
    {
        strError = "\"" + std::string(Trimmed(item)) + "\" is not a device ID from "
                   + std::to_string(Frame::kFirstDeviceId) + " to " + std::to_string(Frame::kLastDeviceId)
                   + " or a range of them such as 1-8";
        return false;
    }
    for (int nId = nFirst; nId <= nLast; ++nId)
        ids.push_back(nId);
    return true;
}

// Sorts and refuses a repeated ID.
bool Unique(std::vector<int>& ids, std::string& strError)
{
    std::ranges::sort(ids);
    const auto repeated = std::ranges::adjacent_find(ids);
    if (repeated == ids.end())
        return true;
    strError = "device ID " + std::to_string(*repeated) + " is given twice";
    return false;
}
}

bool LineOptions::ParseIds(std::string_view text, std::vector<int>& ids, std::string& strError)
{
    std::vector<int> parsed;
    for (std::string_view item : Split(text, ','))
        if (!ParseItem(item, parsed, strError))
            return false;
    if (!Unique(parsed, strError))
        return false;
    ids = std::move(parsed);
    return true;
}

bool LineOptions::ParseAssignments(std::string_view text, std::vector<Assignment>& assignments, std::string& strError)
{
    std::vector<Assignment> parsed;
    for (std::string_view item : Split(text, ','))
    {
        const size_t nColon = item.find(':');
        if (nColon == std::string_view::npos)
        {
            strError = "\"" + std::string(item) + "\" is not of the form id:value or first-last:value";
            return false;
        }
        std::vector<int> ids;
        if (!ParseItem(item.substr(0, nColon), ids, strError))
            return false;
        for (int nId : ids)
            parsed.push_back({nId, std::string(item.substr(nColon + 1))});
    }
    std::ranges::sort(parsed, {}, &Assignment::nId);
    std::vector<int> ids;
    std::ranges::transform(parsed, std::back_inserter(ids), &Assignment::nId);
    if (!Unique(ids, strError))
        return false;
    assignments = std::move(parsed);
    return true;
}
