// The filter-set import window and what confirming or cancelling it does to
// the record.

#include "editors/FilterImportDlg.h"

#include "editors/FilterImportPlan.h"
#include "model/LockState.h"
#include "ui/MessageBox.h"
#include "model/ParamCatalogue.h"
#include "session/ProcessorLink.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace
{
const char* const kFile = "Filter Settings file\r\n"
                          "Filter  1: ON  PK       Fc   63.0 Hz  Gain  -5.2 dB  Q  4.00\r\n"
                          "Filter  2: ON  HP       Fc   30.0 Hz\r\n"
                          "Filter  3: ON  PK       Fc   1000 Hz  Gain   2.0 dB  Q  1.41\r\n";

// Every band setting of every channel, to see that nothing moved.
std::vector<int> BandSettings(const CAudio_Data& data)
{
    std::vector<int> values;
    for (const EParam param : {EParam::kInBandFreq, EParam::kInBandGain, EParam::kInBandWidth, EParam::kInBandOn,
                               EParam::kOutBandFreq, EParam::kOutBandGain, EParam::kOutBandWidth,
                               EParam::kOutBandSlope, EParam::kOutBandOn})
        for (int channel = 0; channel < ParamCatalogue::ChannelCount(param); ++channel)
            for (int band = 0; band < ParamCatalogue::IndexCount(param); ++band)
                values.push_back(ParamCatalogue::Get(param, data, {channel, band}));
    return values;
}

class FilterImportDlgTest : public ::testing::Test
{
protected:
    FilterImportDlgTest()
    {
        m_link.Record().ClearAllChanged(false);
        m_previous = CMessageBox::SetPresenter([this](QWidget*, const QString&, const QString& text, CMessageBox::EIcon)
                                               { m_messages << text; });
    }
    ~FilterImportDlgTest() override { CMessageBox::SetPresenter(m_previous); }

    QString Write(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath("filters.txt");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // Runs the import, doing `fnUser` to the window once it is up.
    bool Import(int nChannelCode, const QString& path, const std::function<void(CFilterImportDlg&)>& fnUser)
    {
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout,
                         [&]
                         {
                             if (auto* pDialog = qobject_cast<CFilterImportDlg*>(QApplication::activeModalWidget()))
                             {
                                 poll.stop();
                                 m_nDialogs++;
                                 fnUser(*pDialog);
                             }
                         });
        poll.start();
        return ImportFilterSet(nullptr, m_link, nChannelCode, path);
    }

    static void Press(CFilterImportDlg& dialog, const char* name)
    {
        dialog.findChild<QPushButton*>(name)->click();
    }

    int InputCode(int n) const { return ParamCatalogue::ChannelCode(EParam::kInBandGain, {n, 0}); }
    int OutputCode(int n) const { return ParamCatalogue::ChannelCode(EParam::kOutBandGain, {n, 0}); }

    QTemporaryDir m_dir;
    CProcessorLink m_link;
    QSignalSpy m_changes{&m_link.Notice(), &CRecordNotice::valueChanged};
    QStringList m_messages;
    int m_nDialogs = 0;
    CMessageBox::Presenter m_previous;
};
}

TEST_F(FilterImportDlgTest, WindowListsPlannedBandsAndProblems)
{
    const QString path = Write(kFile);
    m_link.Notice().SetLanguage(kEnglish);
    QStringList bandRows;
    QStringList problems;
    const bool bChanged = Import(InputCode(1), path,
                                 [&](CFilterImportDlg& dialog)
                                 {
                                     EXPECT_EQ(dialog.windowTitle(), "Import filter set into CHB");
                                     const auto* table = dialog.findChild<QTableWidget*>("ImportBands");
                                     for (int row = 0; row < table->rowCount(); ++row)
                                         bandRows << table->item(row, 0)->text() + " | " + table->item(row, 1)->text()
                                                         + " | " + table->item(row, 2)->text();
                                     const auto* list = dialog.findChild<QListWidget*>("ImportProblems");
                                     for (int row = 0; row < list->count(); ++row)
                                         problems << list->item(row)->text();
                                     Press(dialog, "CancelButton");
                                 });
    EXPECT_FALSE(bChanged);
    ASSERT_EQ(bandRows.size(), 6);
    EXPECT_EQ(bandRows[0], "EQ1 | Line 2: PK 63 Hz -5.2 dB Q 4 | 63Hz  -5.2dB  0.18oct (Q 8.010)");
    EXPECT_EQ(bandRows[1], "EQ2 | Line 4: PK 1000 Hz 2 dB Q 1.41 | 1000Hz  2.0dB  0.50oct (Q 2.871)");
    EXPECT_EQ(bandRows[2], "EQ3 |  | not used: switched off");
    EXPECT_EQ(problems, QStringList({"Line 3: filter type HP has no band on this channel"}));
}

TEST_F(FilterImportDlgTest, CancelChangesNothingAndImportWritesOneNoticePerBand)
{
    const QString path = Write(kFile);
    const std::vector<int> before = BandSettings(m_link.Record());
    EXPECT_FALSE(Import(OutputCode(2), path, [](CFilterImportDlg& dialog) { Press(dialog, "CancelButton"); }));
    EXPECT_EQ(m_nDialogs, 1);
    EXPECT_EQ(BandSettings(m_link.Record()), before);
    EXPECT_EQ(m_changes.count(), 0);
    for (int band = 0; band < 15; ++band)
        EXPECT_FALSE(m_link.Record().Output(2).GetBand(band).IsChanged()) << band;

    EXPECT_TRUE(Import(OutputCode(2), path, [](CFilterImportDlg& dialog) { Press(dialog, "ImportButton"); }));
    const CAudio_Data& data = m_link.Record();
    // Output band 1 is the low shelf: the peaks go to bands 2 and 3.
    EXPECT_EQ(ParamCatalogue::Get(EParam::kOutBandFreq, data, {2, 1}), 63);
    EXPECT_EQ(ParamCatalogue::Get(EParam::kOutBandGain, data, {2, 1}), 348);
    EXPECT_EQ(ParamCatalogue::Get(EParam::kOutBandFreq, data, {2, 2}), 1000);
    EXPECT_EQ(ParamCatalogue::Get(EParam::kOutBandGain, data, {2, 2}), 420);
    EXPECT_EQ(ParamCatalogue::Get(EParam::kOutBandOn, data, {2, 1}), 1);
    // One notice per band that changed, all under the output's code; the
    // other bands were already off at 0 dB.
    EXPECT_EQ(m_changes.count(), 2);
    for (const QList<QVariant>& change : m_changes)
        EXPECT_EQ(change.at(0).toInt(), OutputCode(2));
    EXPECT_TRUE(data.Output(2).GetBand(1).IsChanged());
    EXPECT_FALSE(data.Output(1).GetBand(1).IsChanged());
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(FilterImportDlgTest, LockedEqOrUnreadableFileChangesNothing)
{
    const QString path = Write(kFile);
    m_link.Locks().SetFlag(CLockState::kInEq, true);
    bool bImportEnabled = true;
    QStringList problems;
    EXPECT_FALSE(Import(InputCode(0), path,
                        [&](CFilterImportDlg& dialog)
                        {
                            bImportEnabled = dialog.findChild<QPushButton*>("ImportButton")->isEnabled();
                            const auto* list = dialog.findChild<QListWidget*>("ImportProblems");
                            for (int row = 0; row < list->count(); ++row)
                                problems << list->item(row)->text();
                            Press(dialog, "CancelButton");
                        }));
    EXPECT_FALSE(bImportEnabled);
    EXPECT_EQ(problems, QStringList({QString::fromUtf8("文件：该通道的均衡已锁定")}));

    EXPECT_FALSE(Import(InputCode(0), m_dir.filePath("missing.txt"), [](CFilterImportDlg&) {}));
    EXPECT_EQ(m_nDialogs, 1);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages.front().contains("missing.txt"));
    EXPECT_EQ(m_changes.count(), 0);
}
