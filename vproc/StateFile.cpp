#include "vproc/StateFile.h"

#include "disk/AtomicFile.h"

#include <fstream>
#include <locale>
#include <span>
#include <sstream>

namespace
{
constexpr const char* kMagic = "orvan-vproc-state";
constexpr int kFormat = 1;

std::string Hex(std::span<const uint8_t> bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (uint8_t by : bytes)
    {
        text.push_back(kDigits[by >> 4]);
        text.push_back(kDigits[by & 0x0F]);
    }
    return text;
}

int Digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Exactly bytes.size() bytes, or false.
bool Unhex(const std::string& text, std::span<uint8_t> bytes)
{
    if (text.size() != bytes.size() * 2)
        return false;
    for (size_t i = 0; i < bytes.size(); ++i)
    {
        const int hi = Digit(text[2 * i]);
        const int lo = Digit(text[2 * i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        bytes[i] = static_cast<uint8_t>(hi << 4 | lo);
    }
    return true;
}

bool Number(std::istringstream& in, int lo, int hi, int& value)
{
    return static_cast<bool>(in >> value) && value >= lo && value <= hi;
}

// One line into the state; false when it is not a valid item.
bool ParseLine(const std::string& line, CProcessorState& state)
{
    std::istringstream in(line);
    in.imbue(std::locale::classic());
    std::string key;
    in >> key;
    int n = 0;
    std::string hex;
    if (key == "device-id")
        return Number(in, Frame::kFirstDeviceId, Frame::kLastDeviceId, state.nDeviceId);
    if (key == "device-type")
        return Number(in, Frame::kFirstDeviceType, Frame::kLastDeviceType, state.nDeviceType);
    if (key == "backlight" || key == "power-on")
    {
        if (!Number(in, 0, 255, n))
            return false;
        (key == "backlight" ? state.byBacklight : state.byPowerOn) = static_cast<uint8_t>(n);
        return true;
    }
    if (key == "generator")
        return static_cast<bool>(in >> hex) && Unhex(hex, state.abyGenerator);
    if (key == "info")
        return static_cast<bool>(in >> hex) && Unhex(hex, state.abyInfo);
    if (key == "lock")
        return Number(in, 0, Frame::kLockRecords - 1, n) && (in >> hex) &&
               Unhex(hex, state.aLocks[static_cast<size_t>(n)]);
    if (key == "name")
        return Number(in, 0, Frame::kProgramNumbers - 1, n) && (in >> hex) &&
               Unhex(hex, state.aNames[static_cast<size_t>(n)]);
    if (key == "image")
        return Number(in, 0, Frame::kProgramNumbers - 1, n) && (in >> hex) &&
               Unhex(hex, state.aImages[static_cast<size_t>(n)]);
    return false;
}
}

bool CStateFile::Load(const std::string& strPath, CProcessorState& state, std::string& strError)
{
    std::ifstream file(strPath);
    if (!file)
    {
        strError = "cannot read " + strPath;
        return false;
    }
    std::string line;
    std::getline(file, line);
    if (line != std::string(kMagic) + " " + std::to_string(kFormat))
    {
        strError = strPath + " is not a virtual processor state file";
        return false;
    }
    CProcessorState loaded = state;
    for (int nLine = 2; std::getline(file, line); ++nLine)
    {
        if (line.empty())
            continue;
        if (!ParseLine(line, loaded))
        {
            strError = strPath + ":" + std::to_string(nLine) + ": invalid line";
            return false;
        }
    }
    state = loaded;
    return true;
}

bool CStateFile::Save(const std::string& strPath, const CProcessorState& state, std::string& strError)
{
    std::ostringstream file;
    // Numbers as the file's format has them, whatever the global locale.
    file.imbue(std::locale::classic());
    file << kMagic << ' ' << kFormat << '\n'
         << "device-id " << state.nDeviceId << '\n'
         << "device-type " << state.nDeviceType << '\n'
         << "backlight " << int(state.byBacklight) << '\n'
         << "power-on " << int(state.byPowerOn) << '\n'
         << "generator " << Hex(state.abyGenerator) << '\n'
         << "info " << Hex(state.abyInfo) << '\n';
    for (size_t n = 0; n < state.aLocks.size(); ++n)
        file << "lock " << n << ' ' << Hex(state.aLocks[n]) << '\n';
    for (size_t n = 0; n < state.aNames.size(); ++n)
        file << "name " << n << ' ' << Hex(state.aNames[n]) << '\n';
    for (size_t n = 0; n < state.aImages.size(); ++n)
        file << "image " << n << ' ' << Hex(state.aImages[n]) << '\n';
    const std::string text = file.str();
    const AtomicFile::Outcome outcome = AtomicFile::Write(strPath, std::as_bytes(std::span(text)));
    if (outcome.Ok())
        return true;
    strError = (outcome.eResult == AtomicFile::EResult::kReplaceFailed ? "cannot replace " : "cannot write ")
               + strPath + ": " + outcome.strReason;
    return false;
}
