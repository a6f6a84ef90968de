#include "link/SendDataQueue.h"

void CSendDataQueue::RemoveHead()
{
    if (!m_entries.empty())
        m_entries.pop_front();
}
