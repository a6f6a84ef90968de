#pragma once

#include "wire/SendData.h"

#include <cstddef>
#include <deque>
#include <utility>

// The frames waiting to be sent, oldest first. The head is the frame in
// flight; it leaves only when answered or given up. The queue owns its
// entries.
class CSendDataQueue
{
public:
    void Enqueue(CSendData entry) { m_entries.push_back(std::move(entry)); }
    // Only valid when the queue is not empty.
    CSendData& Head() { return m_entries.front(); }
    const CSendData& Head() const { return m_entries.front(); }
    // Does nothing on an empty queue.
    void RemoveHead();
    int Count() const { return static_cast<int>(m_entries.size()); }
    bool IsEmpty() const { return m_entries.empty(); }
    void Clear() { m_entries.clear(); }
    const CSendData& At(int i) const { return m_entries.at(static_cast<size_t>(i)); }

private:
    std::deque<CSendData> m_entries;
};
