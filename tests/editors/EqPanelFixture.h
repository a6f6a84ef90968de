#pragma once

// What the EQ panel tests share: the two panels on a link whose port has no
// line, a channel selector, the frames the pump builds or the link queues,
// typing into a field and answering the graphic-EQ warning.

#include "editors/InEQDlg.h"
#include "editors/OutEQDlg.h"
#include "editors/WarnGEQDlg.h"

#include "ui/ChannelSelector.h"
#include "tests/link/FakeProcessor.h"
#include "ui/MessageBox.h"
#include "editors/NumEdit.h"
#include "session/ProcessorLink.h"

#include "controls/Fader.h"
#include "controls/LockCombo.h"
#include "controls/ToggleButton.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <vector>

namespace EqPanelFixture
{
using Bytes = std::vector<uint8_t>;
using Row = EqLayout::ERow;

constexpr int kBulk = 0x10;
constexpr int kFirstBandCode = 2;

// Header bytes of a frame: channel (block) code and sub-block code.
struct Sent
{
    int nBlock;
    int nSelector;
    friend bool operator==(const Sent&, const Sent&) = default;
};

inline std::ostream& operator<<(std::ostream& os, const Sent& s)
{
    return os << s.nBlock << "/" << s.nSelector;
}

inline int Word(const Bytes& frame, int payloadOffset)
{
    return frame[Frame::kOffPayload + payloadOffset] | (frame[Frame::kOffPayload + payloadOffset + 1] << 8);
}

class EqPanelTest : public ::testing::Test
{
protected:
    EqPanelTest()
    {
        auto pPort = std::make_unique<CFakePort>();
        m_pLink = std::make_unique<CProcessorLink>(std::move(pPort));
        Record().ClearAllChanged(false);
        CMessageBox::SetPresenter([this](QWidget*, const QString&, const QString& text, CMessageBox::EIcon) {
            m_boxes.push_back(text);
        });
    }
    ~EqPanelTest() override { CMessageBox::SetPresenter({}); }

    CProcessorLink& Link() { return *m_pLink; }
    CAudio_Data& Record() { return m_pLink->Record(); }

    void Select(bool input, int channel) { m_selector.Select({input, channel}); }

    CInEQDlg& InPanel()
    {
        if (!m_pIn)
            m_pIn = std::make_unique<CInEQDlg>(Link(), m_selector);
        return *m_pIn;
    }
    COutEQDlg& OutPanel()
    {
        if (!m_pOut)
            m_pOut = std::make_unique<COutEQDlg>(Link(), m_selector);
        return *m_pOut;
    }

    // Connected as ID 1 with nothing queued, so the link's bursts are all
    // the queue holds.
    void Connect()
    {
        ASSERT_TRUE(Link().Connection().Connect("ttyFAKE", 1));
        Link().Command().Clear();
    }

    // What the pump builds from the marks, until it has nothing but polls.
    std::vector<Bytes> Pump()
    {
        std::vector<Bytes> frames;
        for (int n = 0; n < 100; ++n)
        {
            Bytes f = Record().BuildNextPendingFrame().GetFrame();
            if (f[Frame::kOffType] == Frame::kLevels)
                break;
            frames.push_back(f);
        }
        return frames;
    }
    static std::vector<Sent> Headers(const std::vector<Bytes>& frames)
    {
        std::vector<Sent> sent;
        for (const Bytes& f : frames)
            sent.push_back({f[Frame::kOffBlock], f[Frame::kOffSelector]});
        return sent;
    }
    std::vector<Bytes> Queued() const { return FakeLine::QueuedFrames(m_pLink->Command()); }

    // Types into a field and takes it with Enter, as a user does.
    static void Type(CNumEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    static CNumEdit* Field(const CEqPanel& panel, int band, Row row)
    {
        return panel.Band(band).apEdit.at(static_cast<size_t>(row));
    }

    // Presses the mode button and answers the warning window with `ok`;
    // false when no warning window came up.
    bool SwitchMode(bool ok)
    {
        bool bAsked = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CWarnGEQDlg*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            bAsked = true;
            (ok ? dialog->OkButton() : dialog->ExitButton())->click();
        });
        OutPanel().ModeButton()->click();
        return bAsked;
    }

    std::unique_ptr<CProcessorLink> m_pLink;
    CChannelSelector m_selector;
    std::unique_ptr<CInEQDlg> m_pIn;
    std::unique_ptr<COutEQDlg> m_pOut;
    std::vector<QString> m_boxes;
};

inline void Choose(CLockCombo* combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}
}
