#pragma once

#include "Audio_OutData.h"
#include "LinkGroups.h"

#include <array>
#include <memory>

class CArchive;

// The eight outputs and their link groups.
class CAudio_OutRoute
{
public:
    static constexpr int kCount = 8;

    CAudio_OutRoute();
    CAudio_OutRoute(const CAudio_OutRoute&) = delete;
    CAudio_OutRoute& operator=(const CAudio_OutRoute&) = delete;

    int GetSize() const { return kCount; }
    CAudio_OutData& GetAt(int i) { return *m_records.at(static_cast<size_t>(i)); }
    const CAudio_OutData& GetAt(int i) const { return *m_records.at(static_cast<size_t>(i)); }

    // Every record's file record, in index order.
    void Serialize(CArchive& ar);

    int GetLinkGroup(int i) const { return m_groups.Get(i); }
    // Stores a group number and recomputes every output's linked flag.
    void SetLinkGroup(int i, int group);
    bool IsSameGroup(int a, int b) const { return m_groups.IsSameGroup(a, b); }
    void ResetLinkGroups();
    void UpdateLinkedFlags();

private:
    std::array<std::unique_ptr<CAudio_OutData>, kCount> m_records;
    CLinkGroups m_groups{kCount};
};
