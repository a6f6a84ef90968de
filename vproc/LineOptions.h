#pragma once

#include <string>
#include <string_view>
#include <vector>

// The command-line forms that name processors on a line: lists of device
// IDs with ranges ("1-8", "1,3,5-7") and values given to IDs ("1:6,2-4:3").
namespace LineOptions
{
// Device IDs 1..250, each once, in ascending order. False with the reason in
// strError when an item is not an ID or a range of them, or an ID repeats.
bool ParseIds(std::string_view text, std::vector<int>& ids, std::string& strError);

struct Assignment
{
    int nId = 0;
    std::string strValue;
    bool operator==(const Assignment&) const = default;
};

// "ids:value" items, comma-separated, the IDs as in ParseIds (one or a
// range) and the value everything after the first colon, so it cannot hold
// a comma. One assignment per ID, in ascending ID order; an ID given twice
// is refused.
bool ParseAssignments(std::string_view text, std::vector<Assignment>& assignments, std::string& strError);
}
