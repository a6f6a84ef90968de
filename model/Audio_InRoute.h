#pragma once

#include "Audio_InData.h"
#include "LinkGroups.h"

#include <array>
#include <memory>

class CArchive;

// The four inputs and their link groups. Inputs with equal group numbers
// are linked: an edit of one spreads to the others.
class CAudio_InRoute
{
public:
    static constexpr int kCount = 4;

    CAudio_InRoute();
    CAudio_InRoute(const CAudio_InRoute&) = delete;
    CAudio_InRoute& operator=(const CAudio_InRoute&) = delete;

    int GetSize() const { return kCount; }
    CAudio_InData& GetAt(int i) { return *m_records.at(static_cast<size_t>(i)); }
    const CAudio_InData& GetAt(int i) const { return *m_records.at(static_cast<size_t>(i)); }

    // Every record's file record, in index order.
    void Serialize(CArchive& ar);

    int GetLinkGroup(int i) const { return m_groups.Get(i); }
    // Stores a group number and recomputes every input's linked flag.
    void SetLinkGroup(int i, int group);
    bool IsSameGroup(int a, int b) const { return m_groups.IsSameGroup(a, b); }
    // Every input in a group of its own, nothing linked.
    void ResetLinkGroups();
    void UpdateLinkedFlags();

private:
    std::array<std::unique_ptr<CAudio_InData>, kCount> m_records;
    CLinkGroups m_groups{kCount};
};
