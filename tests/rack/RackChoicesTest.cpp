// What the rack window decides without a processor: the question before a
// switch, the outputs typed, the rows an operation takes, the labels kept
// per port, and how the table shows the rack's model.

#include "rack/RackChoices.h"
#include "line/RackModel.h"
#include "model/ValueText.h"
#include "rack/RackViewModel.h"

#include <QColor>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(RackChoicesTest, SwitchAsksOnlyWhatWouldBeLost)
{
    struct Case
    {
        const char* szName;
        bool bEdits;
        bool bSide;
        ELanguage eLanguage;
        const char* szQuestion;
    };
    const Case cases[]{
        {"nothing", false, false, kEnglish, ""},
        {"edits", true, false, kEnglish, "Before editing device ID 5: some edits have not reached the processor yet."},
        {"side", false, true, kEnglish,
         "Before editing device ID 5: the other A/B setting has not been sent to the processor and is lost when "
         "switching."},
        {"both", true, true, kEnglish,
         "Before editing device ID 5: some edits have not reached the processor yet. the other A/B setting has not "
         "been sent to the processor and is lost when switching."},
        {"edits, Chinese", true, false, kChinese, "编辑设备ID 5 之前：部分修改尚未发送到设备。"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RackChoices::SwitchQuestion(5, c.bEdits, c.bSide, c.eLanguage), QString::fromUtf8(c.szQuestion))
            << c.szName;
}

TEST(RackChoicesTest, OutputsAreTypedAsNumbersAndRangesOfOneToEight)
{
    EXPECT_EQ(RackChoices::Outputs("1-8"), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(RackChoices::Outputs(" 2, 5-6 ,2"), (QList<int>{1, 4, 5}));
    for (const char* szBad : {"", "0", "9", "1-9", "3-1", "1,,2", "a", "1-2-3"})
        EXPECT_FALSE(RackChoices::Outputs(szBad)) << szBad;
}

TEST(RackChoicesTest, OperationTakesTheSelectedRowsInIdOrderOrAll)
{
    const QList<int> all{1, 2, 5, 9};
    EXPECT_EQ(RackChoices::TargetIds({}, all), all);
    EXPECT_EQ(RackChoices::TargetIds({9, 2, 9}, all), (QList<int>{2, 9}));
    EXPECT_EQ(RackChoices::FoundIds(std::array<uint16_t, 5>{0, 2, 0, 4, 5}), (QList<int>{2, 4, 5}));
}

TEST(RackChoicesTest, LabelsAreKeptPerPortAndAnEmptyOneIsForgotten)
{
    QTemporaryDir dir;
    const QString strFile = dir.filePath("settings.ini");
    {
        QSettings settings(strFile, QSettings::IniFormat);
        RackChoices::SaveLabel(settings, "/dev/ttyUSB0", 3, "Foyer left");
        RackChoices::SaveLabel(settings, "/dev/ttyUSB0", 12, "Tower 2");
        RackChoices::SaveLabel(settings, "tcp://10.0.0.7:4001", 3, "Hall");
        RackChoices::SaveLabel(settings, "/dev/ttyUSB0", 12, "");
    }
    QSettings settings(strFile, QSettings::IniFormat);
    EXPECT_EQ(RackChoices::LoadLabels(settings, "/dev/ttyUSB0"), (QMap<int, QString>{{3, "Foyer left"}}));
    EXPECT_EQ(RackChoices::LoadLabels(settings, "tcp://10.0.0.7:4001"), (QMap<int, QString>{{3, "Hall"}}));
    EXPECT_TRUE(RackChoices::LoadLabels(settings, "/dev/ttyUSB1").isEmpty());
}

TEST(RackChoicesTest, TableShowsTheLampAsAWordAndNoCheckBoxesUnderTheToggles)
{
    CRackModel model;
    model.SetIds({4, 7});
    model.Update(7, [](CRackModel::Row& row) {
        row.bOnline = true;
        row.bEdited = true;
        row.nOutputs = 8;
        row.bMutesKnown = true;
        row.abMuted[2] = true;
    });
    CRackViewModel view;
    view.setSourceModel(&model);
    view.SetLanguage(kEnglish);
    const auto at = [&](int nRow, int nColumn) { return view.index(nRow, nColumn); };
    EXPECT_EQ(view.data(at(0, CRackModel::kColumnOnline)).toString(), "offline");
    EXPECT_EQ(view.data(at(1, CRackModel::kColumnOnline)).toString(), "online");
    EXPECT_EQ(view.data(at(1, CRackModel::kColumnOnline), Qt::AccessibleTextRole).toString(), "online");
    EXPECT_NE(view.data(at(0, CRackModel::kColumnOnline), Qt::DecorationRole).value<QColor>(),
              view.data(at(1, CRackModel::kColumnOnline), Qt::DecorationRole).value<QColor>());
    EXPECT_FALSE(view.data(at(1, CRackModel::kColumnOnline), Qt::CheckStateRole).isValid());
    EXPECT_FALSE(view.data(at(1, CRackModel::kColumnFirstMute + 2), Qt::CheckStateRole).isValid());
    // Only the edited processor's row is marked.
    EXPECT_FALSE(view.data(at(0, CRackModel::kColumnId), Qt::BackgroundRole).isValid());
    EXPECT_TRUE(view.data(at(1, CRackModel::kColumnId), Qt::BackgroundRole).isValid());
    view.SetLanguage(kChinese);
    EXPECT_EQ(view.data(at(1, CRackModel::kColumnOnline)).toString(), QString::fromUtf8("在线"));
}
