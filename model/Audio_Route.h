#pragma once

#include "model/Audio_Channel.h"
#include "model/LinkGroups.h"

#include <array>
#include <memory>
#include <string>

class CArchive;

// The channel records of one side with their link groups. Records are made
// once, in channel order, and live as long as the container.
template <class TRecord, int N>
class CAudio_Route
{
public:
    static constexpr int kCount = N;

    CAudio_Route(const CAudio_Route&) = delete;
    CAudio_Route& operator=(const CAudio_Route&) = delete;

    int GetSize() const { return kCount; }
    TRecord& GetAt(int i) { return *m_records.at(static_cast<size_t>(i)); }
    const TRecord& GetAt(int i) const { return *m_records.at(static_cast<size_t>(i)); }

    // Every record's file record, in channel order.
    void Serialize(CArchive& ar)
    {
        for (int i = 0; i < kCount; ++i)
            GetAt(i).Serialize(ar);
    }

    int GetLinkGroup(int i) const { return m_groups.Get(i); }
    // Stores a group number and recomputes every channel's linked flag.
    void SetLinkGroup(int i, int group)
    {
        m_groups.Set(i, group);
        UpdateLinkedFlags();
    }
    bool IsSameGroup(int a, int b) const { return m_groups.IsSameGroup(a, b); }
    // Every channel in a group of its own, nothing linked.
    void ResetLinkGroups()
    {
        m_groups.Reset();
        UpdateLinkedFlags();
    }
    void UpdateLinkedFlags()
    {
        for (int i = 0; i < kCount; ++i)
            GetAt(i).SetLinked(m_groups.HasPeer(i) ? 1 : 0);
    }

protected:
    CAudio_Route(const std::array<ColorRef, N>& colors, char firstName)
    {
        for (int i = 0; i < kCount; ++i)
        {
            auto record = std::make_unique<TRecord>(i);
            record->SetName(std::string(1, static_cast<char>(firstName + i)));
            record->SetColor(colors[static_cast<size_t>(i)]);
            m_records[static_cast<size_t>(i)] = std::move(record);
        }
    }

private:
    std::array<std::unique_ptr<TRecord>, kCount> m_records;
    CLinkGroups m_groups{kCount};
};
