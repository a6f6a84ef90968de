#include "model/Audio_Data.h"

#include "model/Archive.h"
#include "model/LockState.h"

// The record itself: its channels, settings, change marks and program file
// body. The blocks and frames it builds are in Audio_DataFrames.cpp.

CAudio_Data::CAudio_Data()
{
    m_image.strName = m_strName;
}

CAudio_Channel& CAudio_Data::Channel(ChannelAddress address)
{
    if (address.bInput)
        return Input(address.nIndex);
    return Output(address.nIndex);
}

const CAudio_Channel& CAudio_Data::Channel(ChannelAddress address) const
{
    if (address.bInput)
        return Input(address.nIndex);
    return Output(address.nIndex);
}

// ---- generator and system settings ------------------------------------------

void CAudio_Data::SetGenType(int type)
{
    m_nGenType = type;
    m_bGenChanged = true;
}

void CAudio_Data::SetGenFreq(int hz)
{
    m_nGenFreq = hz;
    m_bGenChanged = true;
}

void CAudio_Data::SetGenLevel(int step)
{
    m_nGenLevel = step;
    m_bGenChanged = true;
}

void CAudio_Data::SetGenParam(int value)
{
    m_nGenParam = value;
    m_bGenChanged = true;
}

void CAudio_Data::CopySystemSettings(const CAudio_Data& src)
{
    m_strName = src.m_strName;
    m_nBacklight = src.m_nBacklight;
    m_nPowerOnMode = src.m_nPowerOnMode;
    m_nGenType = src.m_nGenType;
    m_nGenFreq = src.m_nGenFreq;
    m_nGenLevel = src.m_nGenLevel;
    m_nGenParam = src.m_nGenParam;
    m_astrInfo = src.m_astrInfo;
}

void CAudio_Data::ClearAllChanged(bool generatorChanged)
{
    m_bGenChanged = generatorChanged;
    for (int n = 0; n < Frame::kChannelCount; ++n)
    {
        CAudio_Channel& channel = Channel(n);
        channel.SetNameChanged(false);
        channel.SetParamChanged(false);
        for (int k = 0; k < channel.GetBandCount(); ++k)
            channel.GetBand(k).StepTowardTarget(false);
    }
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
    {
        CAudio_OutData& output = Output(i);
        output.SetLimitChanged(false);
        output.GetHighPass().SetChanged(false);
        output.GetLowPass().SetChanged(false);
    }
}

void CAudio_Data::LoadFromImage(const CImageSlot& slot)
{
    m_image = slot;
    for (int i = 0; i < CAudio_InRoute::kCount; ++i)
    {
        CAudio_InData& input = Input(i);
        input.LoadBlock(m_image.Block(input.GetChannel()).first<CAudio_InData::kBlockBytes>());
    }
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
    {
        CAudio_OutData& output = Output(i);
        output.LoadBlock(m_image.Block(output.GetChannel()).first<CAudio_OutData::kBlockBytes>());
    }
}

void CAudio_Data::HideAllCurves()
{
    for (int n = 0; n < Frame::kChannelCount; ++n)
        Channel(n).ShowCurve(false);
}

void CAudio_Data::SetGraphRect(int width, int height)
{
    for (int n = 0; n < Frame::kChannelCount; ++n)
        Channel(n).SetGraphRect(width, height);
}

void CAudio_Data::SetLockState(const CLockState* locks)
{
    for (int n = 0; n < Frame::kChannelCount; ++n)
        Channel(n).SetLockState(locks);
}

void CAudio_Data::Serialize(CArchive& ar, CLockState& locks)
{
    ar.ExchangeString(m_strName);
    for (int flag = 0; flag < CLockState::kFunctionFlags; ++flag)
    {
        const auto i = static_cast<size_t>(flag);
        uint8_t value = locks.m_abyFlags[i];
        ar.ExchangeByte(value);
        if (ar.IsLoading())
        {
            // A program's function locks arrive fixed: the lock window must
            // not let the user clear what the file locked.
            locks.m_abyFlags[i] = value;
            locks.m_abyFixed[i] = value;
        }
    }
    m_inRoute.Serialize(ar);
    m_outRoute.Serialize(ar);
}
