#pragma once

#include <QString>

#include <cstdint>
#include <string>

// Texts the processor and the files keep as bytes (names, information
// texts), shown one character per byte (Latin-1). Control bytes, a NUL
// among them, appear as \xNN so that a terminal or a script sees them.
namespace ByteText
{
QString Shown(const std::string& bytes);
// Two upper-case hexadecimal digits.
QString Hex(uint8_t by);
}
