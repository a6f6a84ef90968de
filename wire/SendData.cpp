#include "wire/SendData.h"

#include <utility>

CSendData::CSendData(std::vector<uint8_t> frame)
    : m_abyFrame(std::move(frame))
{
}
