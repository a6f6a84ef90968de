#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

// Bytes written as a list of numbers in a test, e.g. Bytes({0x5A, 0xA1}).
inline std::vector<uint8_t> Bytes(std::initializer_list<int> values)
{
    std::vector<uint8_t> out;
    for (int v : values)
        out.push_back(static_cast<uint8_t>(v));
    return out;
}
