#include "Audio_OutRoute.h"

#include "Archive.h"

#include <string>

namespace
{
constexpr std::array<ColorRef, CAudio_OutRoute::kCount> kColors = {
    MakeRgb(255, 0, 0), MakeRgb(0, 192, 0), MakeRgb(128, 128, 192), MakeRgb(255, 64, 255),
    MakeRgb(0, 192, 192), MakeRgb(192, 168, 0), MakeRgb(255, 128, 0), MakeRgb(0, 0, 255)};
}

CAudio_OutRoute::CAudio_OutRoute()
{
    for (int i = 0; i < kCount; ++i)
    {
        auto record = std::make_unique<CAudio_OutData>(this, i);
        record->SetName(std::to_string(i + 1));
        record->SetColor(kColors[static_cast<size_t>(i)]);
        m_records[static_cast<size_t>(i)] = std::move(record);
    }
    ResetLinkGroups();
}

void CAudio_OutRoute::SetLinkGroup(int i, int group)
{
    m_groups.Set(i, group);
    UpdateLinkedFlags();
}

void CAudio_OutRoute::ResetLinkGroups()
{
    m_groups.Reset();
    UpdateLinkedFlags();
}

void CAudio_OutRoute::UpdateLinkedFlags()
{
    for (int i = 0; i < kCount; ++i)
        GetAt(i).SetLinked(m_groups.HasPeer(i) ? 1 : 0);
}

void CAudio_OutRoute::Serialize(CArchive& ar)
{
    for (int i = 0; i < kCount; ++i)
        GetAt(i).Serialize(ar);
}
