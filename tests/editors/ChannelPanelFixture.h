#pragma once

// What the channel panel tests share: a link whose port has no line, a
// channel selector, the input or output panel on them, the frames the pump
// builds, typing, choosing and mouse events as a user gives them.

#include "editors/InFaceDlg.h"
#include "editors/OutFaceDlg.h"

#include "ui/ChannelSelector.h"
#include "editors/EditorsText.h"
#include "editors/FStatic.h"
#include "controls/Fader.h"
#include "controls/LockCombo.h"
#include "ui/MessageBox.h"
#include "editors/NumEdit.h"
#include "editors/NumSpin.h"
#include "session/ProcessorLink.h"
#include "controls/ToggleButton.h"
#include "wire/WireNumbers.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace ChannelPanelFixture
{
// Block code and sub-block selector of each frame the pump builds before it
// has nothing left but level requests, e.g. "2/1" (input B's parameters).
inline std::vector<std::string> Drain(CAudio_Data& record)
{
    std::vector<std::string> frames;
    for (int i = 0; i < 100; ++i)
    {
        const CSendData entry = record.BuildNextPendingFrame();
        const auto& f = entry.GetFrame();
        if (f[Frame::kOffType] == Frame::kLevels)
            break;
        frames.push_back(std::to_string(f[Frame::kOffBlock]) + "/" + std::to_string(f[Frame::kOffSelector]));
    }
    return frames;
}

using Frames = std::vector<std::string>;

// Replaces a field's text by typing and takes it with Enter.
inline void Type(CNumEdit* field, const QString& text)
{
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

inline void Choose(CLockCombo* combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

class PanelTest : public ::testing::Test
{
protected:
    PanelTest()
    {
        m_previous = CMessageBox::SetPresenter(
            [this](QWidget*, const QString&, const QString& text, CMessageBox::EIcon) { m_boxes.push_back(text); });
        Record().ClearAllChanged(false);
    }
    ~PanelTest() override { CMessageBox::SetPresenter(m_previous); }

    CAudio_Data& Record() { return m_link.Record(); }
    Frames Sent() { return Drain(Record()); }
    void Lock(std::initializer_list<int> flags, bool locked)
    {
        for (int flag : flags)
            m_link.Locks().SetFlag(flag, locked);
        m_link.Notice().NotifyLocksChanged();
    }

    CProcessorLink m_link;
    CChannelSelector m_selector;
    std::vector<QString> m_boxes;
    QSignalSpy m_changes{&m_link.Notice(), &CRecordNotice::valueChanged};

private:
    CMessageBox::Presenter m_previous;
};

class InFaceTest : public PanelTest
{
protected:
    InFaceTest() { m_panel.show(); }
    CInFaceDlg m_panel{m_link, m_selector};
};

class OutFaceTest : public PanelTest
{
protected:
    OutFaceTest()
    {
        m_selector.Select(ChannelAddress::Output(0));
        m_panel.RefreshFromRecord();
        m_panel.show();
    }
    COutFaceDlg m_panel{m_link, m_selector};
};

inline QPointF ThumbAt(const CFader* fader, int position)
{
    return {fader->width() / 2.0, FaderThumbCentre(fader->Travel(), position)};
}

inline void SendMouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}
}
