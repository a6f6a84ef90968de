#include "Audio_InRoute.h"

#include "Archive.h"

#include <string>

namespace
{
constexpr std::array<ColorRef, CAudio_InRoute::kCount> kColors = {
    MakeRgb(0, 255, 255), MakeRgb(223, 18, 123), MakeRgb(2, 123, 192), MakeRgb(255, 255, 0)};
}

CAudio_InRoute::CAudio_InRoute()
{
    for (int i = 0; i < kCount; ++i)
    {
        auto record = std::make_unique<CAudio_InData>(this, i);
        record->SetName(std::string(1, static_cast<char>('A' + i)));
        record->SetColor(kColors[static_cast<size_t>(i)]);
        m_records[static_cast<size_t>(i)] = std::move(record);
    }
    ResetLinkGroups();
}

void CAudio_InRoute::SetLinkGroup(int i, int group)
{
    m_groups.Set(i, group);
    UpdateLinkedFlags();
}

void CAudio_InRoute::ResetLinkGroups()
{
    m_groups.Reset();
    UpdateLinkedFlags();
}

void CAudio_InRoute::UpdateLinkedFlags()
{
    for (int i = 0; i < kCount; ++i)
        GetAt(i).SetLinked(m_groups.HasPeer(i) ? 1 : 0);
}

void CAudio_InRoute::Serialize(CArchive& ar)
{
    for (int i = 0; i < kCount; ++i)
        GetAt(i).Serialize(ar);
}
