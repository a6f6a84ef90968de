#include "vproc/StateFile.h"

#include "disk/AtomicFile.h"

#include <algorithm>
#include <fstream>
#include <locale>
#include <span>
#include <sstream>

namespace
{
constexpr const char* kMagic = "orvan-vproc-state";
// 1: one processor; 2: a line of several, each in a section of its own.
constexpr int kFormatOne = 1;
constexpr int kFormatLine = 2;
constexpr const char* kSection = "processor";

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

// One item into the state; false when it is not a valid item. The key is
// read already.
bool ParseItem(const std::string& key, std::istringstream& in, CProcessorState& state)
{
    int n = 0;
    std::string hex;
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

// Every item but the device ID, which a line file gives in the section's
// first line.
void WriteItems(std::ostream& file, const CProcessorState& state)
{
    file << "device-type " << state.nDeviceType << '\n'
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
}

// The processors of a file, each starting from base with the items it does
// not give. False with a message in strError.
bool Read(const std::string& strPath, const CProcessorState& base, std::vector<CProcessorState>& states,
          std::string& strError)
{
    std::ifstream file(strPath);
    if (!file)
    {
        strError = "cannot read " + strPath;
        return false;
    }
    std::string line;
    std::getline(file, line);
    const std::string strMagic = std::string(kMagic) + " ";
    const bool bLine = line == strMagic + std::to_string(kFormatLine);
    if (!bLine && line != strMagic + std::to_string(kFormatOne))
    {
        strError = strPath + " is not a virtual processor state file";
        return false;
    }
    std::vector<CProcessorState> loaded;
    if (!bLine)
        loaded.push_back(base);
    for (int nLine = 2; std::getline(file, line); ++nLine)
    {
        if (line.empty())
            continue;
        std::istringstream in(line);
        in.imbue(std::locale::classic());
        std::string key;
        in >> key;
        bool bValid = false;
        if (!bLine)
            bValid = key == "device-id" ? Number(in, Frame::kFirstDeviceId, Frame::kLastDeviceId, loaded[0].nDeviceId)
                                        : ParseItem(key, in, loaded[0]);
        else if (key == kSection)
        {
            int nId = 0;
            bValid = Number(in, Frame::kFirstDeviceId, Frame::kLastDeviceId, nId)
                     && std::ranges::none_of(loaded, [nId](const CProcessorState& s) { return s.nDeviceId == nId; });
            loaded.push_back(base);
            loaded.back().nDeviceId = nId;
        }
        else
            bValid = !loaded.empty() && ParseItem(key, in, loaded.back());
        if (!bValid)
        {
            strError = strPath + ":" + std::to_string(nLine) + ": invalid line";
            return false;
        }
    }
    if (loaded.empty())
    {
        strError = strPath + " holds no processor";
        return false;
    }
    states = std::move(loaded);
    return true;
}
}

bool CStateFile::Load(const std::string& strPath, CProcessorState& state, std::string& strError)
{
    std::vector<CProcessorState> states;
    if (!Read(strPath, state, states, strError))
        return false;
    if (states.size() != 1)
    {
        strError = strPath + " holds a line of " + std::to_string(states.size()) + " processors";
        return false;
    }
    state = states[0];
    return true;
}

bool CStateFile::LoadLine(const std::string& strPath, std::vector<CProcessorState>& states, std::string& strError)
{
    return Read(strPath, CProcessorState(), states, strError);
}

bool CStateFile::Save(const std::string& strPath, const CProcessorState& state, std::string& strError)
{
    return SaveLine(strPath, std::span(&state, 1), strError);
}

bool CStateFile::SaveLine(const std::string& strPath, std::span<const CProcessorState> states, std::string& strError)
{
    if (states.empty())
    {
        strError = "no processor to save in " + strPath;
        return false;
    }
    std::ostringstream file;
    // Numbers as the file's format has them, whatever the global locale.
    file.imbue(std::locale::classic());
    if (states.size() == 1)
    {
        file << kMagic << ' ' << kFormatOne << '\n' << "device-id " << states[0].nDeviceId << '\n';
        WriteItems(file, states[0]);
    }
    else
    {
        file << kMagic << ' ' << kFormatLine << '\n';
        for (const CProcessorState& state : states)
        {
            file << kSection << ' ' << state.nDeviceId << '\n';
            WriteItems(file, state);
        }
    }
    const std::string text = file.str();
    const AtomicFile::Outcome outcome = AtomicFile::Write(strPath, std::as_bytes(std::span(text)));
    if (outcome.Ok())
        return true;
    strError = (outcome.eResult == AtomicFile::EResult::kReplaceFailed ? "cannot replace " : "cannot write ")
               + strPath + ": " + outcome.strReason;
    return false;
}
