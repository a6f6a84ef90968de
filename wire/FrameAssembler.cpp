#include "wire/FrameAssembler.h"

#include "wire/Frame.h"

void CFrameAssembler::Reset()
{
    m_nReceived = 0;
    m_bSynced = false;
    m_bFirstMark = false;
    m_bSecondMark = false;
}

int CFrameAssembler::ExpectedLength() const
{
    // The length is taken once more than the header has arrived.
    if (m_nReceived <= Frame::kHeaderSize)
        return 0;
    return Frame::PayloadLength(std::span(m_abyBuffer).first(static_cast<size_t>(m_nReceived))) + Frame::kOverhead;
}

CFrameAssembler::Outcome CFrameAssembler::Feed(std::span<const uint8_t> bytes)
{
    size_t i = 0;
    if (!m_bSynced)
    {
        for (; i < bytes.size() && !m_bSynced; ++i)
        {
            const uint8_t by = bytes[i];
            if (m_bFirstMark && m_bSecondMark)
            {
                if (by == Frame::kStart)
                {
                    m_bSynced = true;
                    m_abyBuffer[0] = Frame::kStart;
                    m_nReceived = 1;
                }
                else
                {
                    m_bFirstMark = false;
                    m_bSecondMark = false;
                }
            }
            else if (by == Frame::kStart)
            {
                if (m_bFirstMark)
                    m_bSecondMark = true;
                else
                    m_bFirstMark = true;
            }
        }
        if (!m_bSynced)
            return {EResult::kNeedMore, i};
    }

    for (;;)
    {
        const int nExpected = ExpectedLength();
        if (nExpected > kBufferBytes)
        {
            Reset();
            return {EResult::kDropped, i};
        }
        if (nExpected > 0 && m_nReceived >= nExpected)
        {
            const auto frame = std::span(m_abyBuffer).first(static_cast<size_t>(nExpected));
            const bool bGood = Frame::Verify(frame);
            if (bGood)
                m_abyFrame.assign(frame.begin(), frame.end());
            Reset();
            return {bGood ? EResult::kFrame : EResult::kDropped, i};
        }
        if (i == bytes.size())
            return {EResult::kNeedMore, i};
        m_abyBuffer[static_cast<size_t>(m_nReceived++)] = bytes[i++];
    }
}
