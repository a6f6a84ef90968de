// The test generator run from the main window's channel strip against the
// virtual processor program on a pseudo-terminal: what the processor holds
// after each switch, and the routing grid frozen while the generator runs.

#include "CHEDlg.h"
#include "OrvanDlgDlg.h"
#include "TestGenDlg.h"
#include "WindowTestEnvironment.h"

#include "ConnectDlg.h"
#include "GenToggle.h"
#include "NumEdit.h"
#include "ProcessorState.h"
#include "StateFile.h"
#include "ToggleButton.h"
#include "VprocProcess.h"

#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

#include <array>

namespace
{
using GenBytes = std::array<uint8_t, Frame::kGeneratorBytes>;

class GeneratorWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_env.IsReady());
        m_window = std::make_unique<COrvanDlgDlg>();
        m_window->SetDialogRunner([this](QDialog& dialog) {
            auto& connect = dynamic_cast<CConnectDlg&>(dialog);
            connect.findChild<QComboBox*>("PortCombo")->setEditText(m_vproc.Port());
            auto* ids = connect.findChild<QComboBox*>("DeviceIdCombo");
            ids->setCurrentIndex(ids->findText(QStringLiteral("1")));
            connect.accept();
            return dialog.result();
        });
        QObject::connect(&m_window->Connection(), &CConnection::liveProgramLoaded, [this] { ++m_nLiveLoads; });
        m_window->show();
    }

    void TearDown() override
    {
        m_window.reset();
        m_vproc.Stop();
    }

    void Connect()
    {
        ASSERT_TRUE(m_vproc.Start({"--state", m_env.FilePath("state.txt")})) << "no virtual processor";
        m_window->CommandButton(COrvanDlgDlg::kConnection)->click();
        ASSERT_TRUE(RunUntil([&] { return m_nLiveLoads > 0; }, 8000)) << "no live program";
    }

    // Waits until the processor has kept `expected` as its generator block.
    bool ProcessorHolds(const GenBytes& expected)
    {
        GenBytes held{};
        const bool ok = RunUntil(
            [&] {
                CProcessorState state;
                std::string error;
                if (!CStateFile::Load(m_env.FilePath("state.txt").toStdString(), state, error))
                    return false;
                held = state.abyGenerator;
                return held == expected;
            },
            4000);
        EXPECT_EQ(held, expected);
        return ok;
    }

    int EnabledRoutingCells()
    {
        int enabled = 0;
        for (int column = CCHEDlg::kInputColumns; column < CCHEDlg::kColumns; ++column)
            for (CToggleButton* cell : Strip().ColumnAt(column).apRoute)
                enabled += cell->isEnabled() ? 1 : 0;
        return enabled;
    }

    void ChooseType(int entry)
    {
        QComboBox* combo = Generator().TypeCombo();
        combo->setCurrentIndex(entry);
        emit combo->activated(entry);
    }

    CCHEDlg& Strip() { return *m_window->findChild<CCHEDlg*>(); }
    CTestGenDlg& Generator() { return *m_window->findChild<CTestGenDlg*>(); }

    CWindowTestEnvironment m_env;
    CVprocProcess m_vproc{m_env.FilePath("port")};
    std::unique_ptr<COrvanDlgDlg> m_window;
    int m_nLiveLoads = 0;
};
}

TEST_F(GeneratorWindowTest, ToneThenSweepReachTheProcessorAndFreezeRouting)
{
    Connect();
    const int nAllCells = EnabledRoutingCells();
    ASSERT_GT(nAllCells, 0);

    Generator().Toggle()->click();
    EXPECT_FALSE(m_window->Selector().m_bInputSide);  // input A gave way to output 1
    Generator().OnOff()->click();
    EXPECT_EQ(EnabledRoutingCells(), 0);
    ChooseType(2);  // tone
    CNumEdit* freq = Generator().FreqEdit();
    freq->selectAll();
    QTest::keyClicks(freq, "1000");
    QTest::keyClick(freq, Qt::Key_Return);

    // Tone, period 2 s, 1000 Hz, level 600 (0.0 dBu).
    EXPECT_TRUE(ProcessorHolds({0x03, 0x02, 0xE8, 0x03, 0x58, 0x02, 0x00, 0x00}));
    EXPECT_EQ(EnabledRoutingCells(), 0);

    ChooseType(3);  // sweep
    EXPECT_TRUE(ProcessorHolds({0x04, 0x02, 0xE8, 0x03, 0x58, 0x02, 0x00, 0x00}));
    EXPECT_EQ(EnabledRoutingCells(), 0);

    // Off again: the routing grid comes back.
    Generator().OnOff()->click();
    EXPECT_TRUE(ProcessorHolds({0x00, 0x02, 0xE8, 0x03, 0x58, 0x02, 0x00, 0x00}));
    EXPECT_EQ(EnabledRoutingCells(), nAllCells);
    EXPECT_TRUE(m_env.Boxes().empty());
}
