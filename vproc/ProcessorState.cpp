#include "vproc/ProcessorState.h"

#include "model/Audio_Data.h"
#include "model/FactoryImage.h"
#include "model/LockState.h"

#include <algorithm>

CProcessorState::CProcessorState()
{
    // The settings blocks come from a fresh program record, so they carry
    // the same defaults the editor starts with.
    CAudio_Data defaults;
    defaults.SetInfoText(0, "VIRTUAL DSP");
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

CProcessorState::Name CProcessorState::MakeName(const std::string& text)
{
    Name name{};
    std::copy_n(text.begin(), std::min(text.size(), name.size()), name.begin());
    return name;
}
