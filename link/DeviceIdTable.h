#pragma once

#include <array>
#include <cstdint>
#include <vector>

// The device IDs offered for connection: entry k holds ID k + 1 when that ID
// is offered, else 0. Every ID is offered until a search empties the table
// and the IDs that answer enter themselves again.
class CDeviceIdTable
{
public:
    static constexpr int kMinId = 1;
    static constexpr int kMaxId = 250;

    CDeviceIdTable() { OfferAll(); }

    void OfferAll()
    {
        for (int id = kMinId; id <= kMaxId; ++id)
            m_anId[Slot(id)] = static_cast<uint16_t>(id);
    }
    void Clear() { m_anId.fill(0); }

    // IDs outside 1..250 are ignored: they cannot be addressed on the line.
    void Offer(int id)
    {
        if (IsValid(id))
            m_anId[Slot(id)] = static_cast<uint16_t>(id);
    }
    void Withdraw(int id)
    {
        if (IsValid(id))
            m_anId[Slot(id)] = 0;
    }
    bool IsOffered(int id) const { return IsValid(id) && m_anId[Slot(id)] != 0; }

    // The offered IDs in table order.
    std::vector<int> OfferedIds() const
    {
        std::vector<int> ids;
        for (uint16_t id : m_anId)
            if (id != 0)
                ids.push_back(id);
        return ids;
    }

    static bool IsValid(int id) { return id >= kMinId && id <= kMaxId; }

private:
    static size_t Slot(int id) { return static_cast<size_t>(id - kMinId); }

    std::array<uint16_t, kMaxId> m_anId{};
};
