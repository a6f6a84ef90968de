#pragma once

#include "model/Audio_InRoute.h"
#include "model/Audio_OutRoute.h"
#include "model/ChannelAddress.h"
#include "model/ImageSlot.h"
#include "wire/SendData.h"
#include "wire/WireNumbers.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

class CArchive;
class CLockState;

// The program record: one parameter set of the processor with its channel
// records and device image, and the only place that builds outgoing frames.
//
// Editors change the channel records through their setters, which only mark
// what changed; BuildNextChangeFrame turns the marks into frames one at a
// time, in a fixed order, and BuildNextPendingFrame asks for the level meters
// when nothing is due.
class CAudio_Data
{
public:
    static constexpr int kInfoTexts = 7;
    static constexpr int kInfoBlockBytes = Frame::kInfoBlockBytes;
    static constexpr int kGenBlockBytes = Frame::kGeneratorBytes;

    CAudio_Data();
    CAudio_Data(const CAudio_Data&) = delete;
    CAudio_Data& operator=(const CAudio_Data&) = delete;

    CAudio_InRoute& Inputs() { return m_inRoute; }
    CAudio_OutRoute& Outputs() { return m_outRoute; }
    const CAudio_InRoute& Inputs() const { return m_inRoute; }
    const CAudio_OutRoute& Outputs() const { return m_outRoute; }
    CAudio_InData& Input(int i) { return m_inRoute.GetAt(i); }
    CAudio_OutData& Output(int i) { return m_outRoute.GetAt(i); }
    const CAudio_InData& Input(int i) const { return m_inRoute.GetAt(i); }
    const CAudio_OutData& Output(int i) const { return m_outRoute.GetAt(i); }
    CAudio_Channel& Channel(ChannelAddress address);
    const CAudio_Channel& Channel(ChannelAddress address) const;
    // Channel n of both sides in channel-code order: inputs A..D, then
    // outputs 1..8 (n from 0 to Frame::kChannelCount - 1).
    CAudio_Channel& Channel(int n) { return Channel(ChannelAddress::FromColumn(n)); }
    const CAudio_Channel& Channel(int n) const { return Channel(ChannelAddress::FromColumn(n)); }

    const std::string& GetName() const { return m_strName; }
    void SetName(const std::string& name) { m_strName = name; }
    int GetDeviceId() const { return m_nDeviceId; }
    void SetDeviceId(int id) { m_nDeviceId = id; }

    CImageSlot& GetImage() { return m_image; }
    const CImageSlot& GetImage() const { return m_image; }

    // Test generator settings; the setters mark the generator for sending.
    void SetGenType(int type);
    void SetGenFreq(int hz);
    void SetGenLevel(int step);
    void SetGenParam(int value);
    int GetGenType() const { return m_nGenType; }
    int GetGenFreq() const { return m_nGenFreq; }
    int GetGenLevel() const { return m_nGenLevel; }
    int GetGenParam() const { return m_nGenParam; }
    bool IsGenChanged() const { return m_bGenChanged; }
    // The processor is in test mode while the generator runs (any type but
    // 0, off): the routing matrix is not to be edited then.
    bool IsTestMode() const { return m_nGenType != 0; }

    void SetBacklight(int value) { m_nBacklight = value; }
    int GetBacklight() const { return m_nBacklight; }
    void SetPowerOnMode(int value) { m_nPowerOnMode = value; }
    int GetPowerOnMode() const { return m_nPowerOnMode; }
    // Bytes of information text i's field in the information block: 15 for
    // text 0, 40 for the others; a longer text is cut there.
    static int InfoTextSize(int i);
    void SetInfoText(int i, const std::string& text) { m_astrInfo.at(static_cast<size_t>(i)) = text; }
    const std::string& GetInfoText(int i) const { return m_astrInfo.at(static_cast<size_t>(i)); }

    // Generator block: type, fourth setting, frequency (2), level (2), 0, 0.
    std::span<const uint8_t, kGenBlockBytes> BuildGeneratorBlock();
    void SetGeneratorBlock(std::span<const uint8_t> bytes);
    // Information block: text 0 in bytes 0..14, texts 1..6 at 15 + 40 k,
    // each padded with spaces to its field.
    std::span<const uint8_t, kInfoBlockBytes> BuildInfoBlock();
    void SetInfoBlock(std::span<const uint8_t> bytes);
    // Takes the name, backlight, power-on mode, generator settings and
    // information texts of another record as they are; marks nothing for
    // sending.
    void CopySystemSettings(const CAudio_Data& src);

    // ---- frames ----------------------------------------------------------
    CSendData BuildInputNameFrame(int i);
    CSendData BuildInputParamFrame(int i);
    CSendData BuildInputBandFrame(int i, int k);
    CSendData BuildOutputNameFrame(int i);
    CSendData BuildOutputParamFrame(int i);
    CSendData BuildOutputLimitFrame(int i);
    CSendData BuildOutputXoverFrame(int i);
    CSendData BuildOutputBandFrame(int i, int k);
    CSendData BuildInputBlockFrame(int program, int i);
    CSendData BuildOutputBlockFrame(int program, int i);
    CSendData BuildBlockReadFrame(int program, int block);
    CSendData BuildPollFrame() const;
    // op Frame::kRead reads the name, Frame::kWrite writes `name` (cut to
    // Frame::kProgramNameBytes).
    CSendData BuildProgramNameFrame(int program, int op, const std::string& name = {}) const;
    CSendData BuildProgramRequestFrame(int program, int block = Frame::kWholeBlock) const;
    CSendData BuildProgramStoreFrame(int program) const;
    CSendData BuildDefaultProgramStoreFrame(int program) const;
    CSendData BuildGeneratorFrame(bool read);
    CSendData BuildBacklightFrame(bool write) const;
    CSendData BuildPowerOnFrame(bool write) const;
    CSendData BuildInfoWriteFrame();
    CSendData BuildInfoReadFrame(int block = Frame::kWholeBlock) const;
    // The probe carries the probed ID in byte 2 instead of the record's.
    CSendData BuildDeviceIdProbeFrame(int probedId) const;
    // Addressed to the current ID; payload byte 0 is the new one.
    CSendData BuildDeviceIdChangeFrame(int newId) const;
    CSendData BuildDeviceTypeFrame() const;
    CSendData BuildVersionFrame() const;
    // item: one of Frame::LockItem.
    CSendData BuildLockDataFrame(int program, int item, std::span<const uint8_t> lockSet = {}) const;

    // Single-program file body: the program name (STRING), function locks
    // 0 to 31 (one BYTE each), the 4 input and the 8 output records.
    // Storing changes nothing. Loading takes values as stored: the lock
    // bytes become both the lock flags and the fixed locks; nothing outside
    // the layout (gate thresholds, link groups, image, generator) changes.
    // A load that fails part-way leaves the records half-read: read into a
    // scratch record first (ProgramCodec does).
    void Serialize(CArchive& ar, CLockState& locks);

    // The next frame due for pending edits (its mark cleared), or nothing.
    std::optional<CSendData> BuildNextChangeFrame();
    // The next frame due for pending edits, or the level request.
    CSendData BuildNextPendingFrame();
    // `generatorChanged` is what the generator's change flag becomes.
    void ClearAllChanged(bool generatorChanged);
    // Takes a whole slot and loads every channel record from its block.
    void LoadFromImage(const CImageSlot& slot);
    void HideAllCurves();
    // Size of the response graph's curve area, passed to every channel.
    void SetGraphRect(int width, int height);
    // The lock state every channel's curve consults; none = nothing locked.
    void SetLockState(const CLockState* locks);

private:
    CSendData MakeFrame(uint8_t type, int program, int item, int block, int selector,
                        std::span<const uint8_t> payload, int deviceId = -1) const;
    // Rebuilds a channel's whole block and copies it into the device image.
    std::span<const uint8_t> RefreshInputBlock(int i);
    std::span<const uint8_t> RefreshOutputBlock(int i);
    CSendData BuildSubBlockFrame(int channelCode, int item, int code, std::span<const uint8_t> block, int offset) const;

    std::string m_strName = "NULL";
    CAudio_InRoute m_inRoute;
    CAudio_OutRoute m_outRoute;
    int m_nDeviceId = 0;
    CImageSlot m_image;

    int m_nGenType = 0;
    int m_nGenFreq = 20;
    int m_nGenLevel = 600;
    int m_nGenParam = 2;
    std::array<uint8_t, kGenBlockBytes> m_abyGenBlock{};
    bool m_bGenChanged = false;

    int m_nBacklight = 1;
    int m_nPowerOnMode = 1;
    std::array<std::string, kInfoTexts> m_astrInfo;
    std::array<uint8_t, kInfoBlockBytes> m_abyInfoBlock{};
};
