#include "vproc/ProcessorState.h"

#include "model/Audio_Data.h"
#include "model/FactoryImage.h"
#include "model/LockState.h"

#include <algorithm>
#include <span>

namespace
{
constexpr const char* kDefaultName = "VIRTUAL DSP";
}

CProcessorState::CProcessorState()
{
    // The settings blocks come from a fresh program record, so they carry
    // the same defaults the editor starts with.
    CAudio_Data defaults;
    defaults.SetInfoText(0, kDefaultName);
    std::ranges::copy(defaults.BuildGeneratorBlock(), abyGenerator.begin());
    std::ranges::copy(defaults.BuildInfoBlock(), abyInfo.begin());

    aImages.fill(FactoryDefaultImage());
    for (LockRecord& record : aLocks)
    {
        record.fill(0);
        // No password: spaces.
        std::fill(record.begin() + CLockState::kFlagBytes, record.end(), ' ');
    }
}

CProcessorState CProcessorState::Numbered(int nId)
{
    CProcessorState state;
    state.nDeviceId = nId;
    state.SetDeviceName(std::string(kDefaultName) + " " + std::to_string(nId));
    return state;
}

void CProcessorState::SetDeviceName(const std::string& text)
{
    const auto field = std::span(abyInfo).first(static_cast<size_t>(CAudio_Data::InfoTextSize(0)));
    std::ranges::fill(field, ' ');
    std::copy_n(text.begin(), std::min(text.size(), field.size()), field.begin());
}

CProcessorState::Name CProcessorState::MakeName(const std::string& text)
{
    Name name{};
    std::copy_n(text.begin(), std::min(text.size(), name.size()), name.begin());
    return name;
}
