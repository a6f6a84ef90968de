#include "session/EditState.h"

#include "model/Audio_Data.h"
#include "model/LockState.h"

#include <algorithm>
#include <type_traits>

namespace
{
using Values = CEditState::Values;
using ChannelState = CEditState::ChannelState;

template <class TRecord>
Values SettingsOf(const TRecord& record)
{
    Values values;
    TRecord::VisitFields(
        [&values](RecordField::Field field, const auto& value) {
            if (field.Has(RecordField::kSetting))
                values.emplace_back(value);
        },
        record);
    return values;
}

template <class TRecord>
void WriteSettings(const Values& values, TRecord& record)
{
    size_t next = 0;
    TRecord::VisitFields(
        [&](RecordField::Field field, auto& value) {
            if (field.Has(RecordField::kSetting))
                value = std::get<std::remove_reference_t<decltype(value)>>(values.at(next++));
        },
        record);
}

template <class TRecord>
ChannelState ChannelOf(const TRecord& record)
{
    ChannelState s{SettingsOf(record), {}};
    const CEQ& eq = record.GetEQ();
    s.filters.reserve(static_cast<size_t>(eq.GetSize()));
    for (int k = 0; k < eq.GetSize(); ++k)
        s.filters.push_back(SettingsOf(eq.GetAt(k)));
    return s;
}

void WriteFilter(const Values& s, CFilter& f)
{
    if (SettingsOf(f) == s)
        return;
    WriteSettings(s, f);
    f.UpdateHandle();
    if (f.m_bIsBand)
        f.UpdateMarkers();
    f.ComputeResponse();
}

// Raises the change flag of the group that sub-block `code` carries.
void MarkSubBlock(CAudio_InData& input, int code)
{
    if (code == 0)
        input.SetNameChanged(true);
    else if (code == 1)
        input.SetParamChanged(true);
    else
        input.GetBand(code - 2).SetChanged(true);
}

void MarkSubBlock(CAudio_OutData& output, int code)
{
    if (code == 0)
        output.SetNameChanged(true);
    else if (code == 1)
        output.SetParamChanged(true);
    else if (code == CAudio_OutData::kLimitCode)
        output.SetLimitChanged(true);
    else if (code == CAudio_OutData::kXoverCode)
        output.GetHighPass().SetChanged(true);
    else
        output.GetBand(code - 2).SetChanged(true);
}

int LastSubBlockCode(const CAudio_InData&)
{
    return 1 + CEQ::kInputBands;
}

int LastSubBlockCode(const CAudio_OutData&)
{
    return CAudio_OutData::kXoverCode;
}

// A crossover filter keeps the frequency it has sent so far: the pump walks
// it to the restored target an octave at a time, as after any other move.
void MarkCrossoverWalks(CAudio_InData&)
{
}

void MarkCrossoverWalks(CAudio_OutData& output)
{
    for (CFilter* pXover : {&output.GetHighPass(), &output.GetLowPass()})
        if (pXover->GetSentFreq() != pXover->m_nFreq)
            pXover->SetChanged(true);
}

// Fields the processor never sees (the gain of a band that is off, the
// parametric bandwidth of a graphic band) are restored too, but only a
// sub-block whose bytes change is marked for sending.
template <class TRecord>
bool WriteChannel(const ChannelState& s, TRecord& record)
{
    if (ChannelOf(record) == s)
        return false;
    const auto built = record.BuildBlock();
    const std::vector<uint8_t> before(built.begin(), built.end());

    WriteSettings(s.fields, record);
    CEQ& eq = record.GetEQ();
    for (int k = 0; k < eq.GetSize() && k < static_cast<int>(s.filters.size()); ++k)
        WriteFilter(s.filters[static_cast<size_t>(k)], eq.GetAt(k));

    const auto after = record.BuildBlock();
    for (int code = 0; code <= LastSubBlockCode(record); ++code)
    {
        const auto offset = static_cast<size_t>(TRecord::SubBlockOffset(code));
        if (!std::equal(after.begin() + offset, after.begin() + offset + Frame::kSubBlockBytes, before.begin() + offset))
            MarkSubBlock(record, code);
    }
    MarkCrossoverWalks(record);
    record.UpdateAllBandsOff();
    record.UpdateCurve();
    return true;
}

template <class TRoute, size_t N>
bool WriteGroups(const std::array<int, N>& groups, TRoute& route, bool bLocked)
{
    bool bChanged = false;
    for (int i = 0; i < route.GetSize() && !bLocked; ++i)
    {
        const int nGroup = groups.at(static_cast<size_t>(i));
        if (route.GetLinkGroup(i) != nGroup)
        {
            route.SetLinkGroup(i, nGroup);
            bChanged = true;
        }
    }
    return bChanged;
}
}

CEditState CEditState::Capture(const CAudio_Data& record)
{
    CEditState state;
    state.m_strName = record.GetName();
    for (int i = 0; i < Frame::kInputCount; ++i)
    {
        state.m_aChannels.at(static_cast<size_t>(i)) = ChannelOf(record.Input(i));
        state.m_anInputGroups.at(static_cast<size_t>(i)) = record.Inputs().GetLinkGroup(i);
    }
    for (int i = 0; i < Frame::kOutputCount; ++i)
    {
        state.m_aChannels.at(static_cast<size_t>(Frame::kInputCount + i)) = ChannelOf(record.Output(i));
        state.m_anOutputGroups.at(static_cast<size_t>(i)) = record.Outputs().GetLinkGroup(i);
    }
    return state;
}

bool CEditState::ApplyTo(CAudio_Data& record, const CLockState& locks) const
{
    bool bChanged = false;
    if (record.GetName() != m_strName)
    {
        record.SetName(m_strName);
        bChanged = true;
    }
    // Groups first: the linked marker of the frames the pump builds follows them.
    bChanged = WriteGroups(m_anInputGroups, record.Inputs(), locks.IsLocked(CLockState::kInLink)) || bChanged;
    bChanged = WriteGroups(m_anOutputGroups, record.Outputs(), locks.IsLocked(CLockState::kOutLink)) || bChanged;
    for (int i = 0; i < Frame::kInputCount; ++i)
        bChanged = WriteChannel(m_aChannels.at(static_cast<size_t>(i)), record.Input(i)) || bChanged;
    for (int i = 0; i < Frame::kOutputCount; ++i)
        bChanged = WriteChannel(m_aChannels.at(static_cast<size_t>(Frame::kInputCount + i)), record.Output(i)) || bChanged;
    return bChanged;
}
