#pragma once

#include <vector>

// One group number per channel of a side; channels with equal numbers are
// linked. At start, and whenever the groups are reset, every channel is in a
// group of its own.
class CLinkGroups
{
public:
    explicit CLinkGroups(int count)
        : m_anGroup(static_cast<size_t>(count))
    {
        Reset();
    }

    int GetCount() const { return static_cast<int>(m_anGroup.size()); }
    int Get(int i) const { return m_anGroup.at(static_cast<size_t>(i)); }
    void Set(int i, int group) { m_anGroup.at(static_cast<size_t>(i)) = group; }
    bool IsSameGroup(int a, int b) const { return Get(a) == Get(b); }

    void Reset()
    {
        for (size_t i = 0; i < m_anGroup.size(); ++i)
            m_anGroup[i] = static_cast<int>(i);
    }

    // True when another channel shares channel i's group.
    bool HasPeer(int i) const
    {
        for (int j = 0; j < GetCount(); ++j)
            if (j != i && IsSameGroup(i, j))
                return true;
        return false;
    }

private:
    std::vector<int> m_anGroup;
};
