#include "model/ValueText.h"
#include "app/HelpPages.h"
#include "ui/MainLayout.h"
#include "app/OrvanDlgDlg.h"
#include "app/StatusBlock.h"
#include "tests/app/WindowTestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
using ShownBox = CWindowTestEnvironment::ShownBox;

// Runs each test in an empty working directory and records message boxes
// instead of showing them.
class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_env.IsReady()); }

    COrvanDlgDlg& Window()
    {
        if (!m_window)
        {
            m_pLink = std::make_unique<CProcessorLink>();
            m_window = std::make_unique<COrvanDlgDlg>(*m_pLink);
            // Dialogs are noted and cancelled, never run modally.
            m_window->SetDialogRunner([this](QDialog& dialog) {
                m_dialogs.push_back(dialog.windowTitle());
                return int(QDialog::Rejected);
            });
        }
        return *m_window;
    }

    // Clicks `command` and returns the one box it showed.
    ShownBox Press(COrvanDlgDlg::ECommand command)
    {
        m_boxes.clear();
        Window().CommandButton(command)->click();
        EXPECT_EQ(m_boxes.size(), 1u);
        return m_boxes.empty() ? ShownBox{} : m_boxes.back();
    }

    QString FieldText(const char* name) { return Window().findChild<QLineEdit*>(name)->text(); }
    bool PanelShown(const char* name) { return !Window().findChild<QWidget*>(name)->isHidden(); }

    CWindowTestEnvironment m_env;
    std::vector<ShownBox>& m_boxes = m_env.Boxes();
    std::vector<QString> m_dialogs;
    // The link outlives the window, as the application object has it.
    std::unique_ptr<CProcessorLink> m_pLink;
    std::unique_ptr<COrvanDlgDlg> m_window;
};

const QString kInformation = QStringLiteral("Information");
const QString kChineseInformation = QString::fromUtf8("信息");
const QString kTitle = QStringLiteral("192KHz Sampling Frequency, 32-bit DSP Processor");

TEST_F(MainWindowTest, StartsInChineseWithChineseCaption)
{
    EXPECT_EQ(Window().GetLanguage(), kChinese);
    EXPECT_EQ(Window().windowTitle(), kTitle);
    const ShownBox box = Press(COrvanDlgDlg::kHelp);
    EXPECT_EQ(box.strCaption, kChineseInformation);
    EXPECT_EQ(box.strText, QString::fromUtf8("没有发现帮助文件!"));
}

TEST_F(MainWindowTest, CaptionIsInformationInBothLanguagesOnceSwitched)
{
    Window().SetLanguage(kEnglish);
    ShownBox box = Press(COrvanDlgDlg::kHelp);
    EXPECT_EQ(box.strCaption, kInformation);
    EXPECT_EQ(box.strText, QStringLiteral("Not Find Help File"));
    EXPECT_EQ(Window().windowTitle(), kTitle);

    Window().SetLanguage(kChinese);
    box = Press(COrvanDlgDlg::kHelp);
    EXPECT_EQ(box.strCaption, kInformation);
    EXPECT_EQ(box.strText, QString::fromUtf8("没有发现帮助文件!"));
}

TEST_F(MainWindowTest, CommandCaptionsFollowTheLanguage)
{
    struct Row
    {
        COrvanDlgDlg::ECommand eCommand;
        const char* szEnglish;
        const char* szChinese;
    };
    const Row rows[] = {
        {COrvanDlgDlg::kHelp, "HELP", "帮助"},          {COrvanDlgDlg::kProgram, "PROGRAM", "程序"},
        {COrvanDlgDlg::kDevice, "DEVICE", "设备ID"},    {COrvanDlgDlg::kInterface, "INTERFACE", "显示"},
        {COrvanDlgDlg::kLock, "LOCK", "锁定"},          {COrvanDlgDlg::kReport, "REPORT", "报告"},
        {COrvanDlgDlg::kConnection, "CONNECTION", "连接"},
    };
    for (ELanguage language : {kChinese, kEnglish, kChinese})
    {
        Window().SetLanguage(language);
        for (const Row& row : rows)
            EXPECT_EQ(Window().CommandButton(row.eCommand)->text(),
                      QString::fromUtf8(language == kEnglish ? row.szEnglish : row.szChinese))
                << "command " << row.eCommand << ", language " << language;
    }
}

TEST_F(MainWindowTest, CommandsSayWhatTheyNeedInTheCurrentLanguage)
{
    for (ELanguage language : {kChinese, kEnglish})
    {
        Window().SetLanguage(language);
        // DEVICE needs a connection before anything else.
        EXPECT_EQ(Press(COrvanDlgDlg::kDevice).strText,
                  language == kEnglish ? QStringLiteral("Please open the COM-Port") : QString::fromUtf8("请打开串口"));
    }
    EXPECT_TRUE(m_dialogs.empty());

    // PROGRAM, INTERFACE, LOCK and REPORT open their windows without a
    // processor (LOCK only the one saying it needs one): the language is
    // switched in the second.
    for (ELanguage language : {kChinese, kEnglish})
    {
        Window().SetLanguage(language);
        m_dialogs.clear();
        Window().CommandButton(COrvanDlgDlg::kProgram)->click();
        Window().CommandButton(COrvanDlgDlg::kInterface)->click();
        Window().CommandButton(COrvanDlgDlg::kLock)->click();
        Window().CommandButton(COrvanDlgDlg::kReport)->click();
        const std::vector<QString> titles = language == kEnglish
            ? std::vector<QString>{QStringLiteral("Program"), QStringLiteral("System"),
                                   QStringLiteral("Lock(Disconnected)"), QStringLiteral("Data View")}
            : std::vector<QString>{QString::fromUtf8("程序"), QString::fromUtf8("系统"),
                                   QString::fromUtf8("锁定（未连机）"), QString::fromUtf8("参数值显示")};
        EXPECT_EQ(m_dialogs, titles);
    }
    m_dialogs.clear();

    // CONNECTION offers the Connection dialog; cancelled, the button does
    // not stay pressed.
    Window().CommandButton(COrvanDlgDlg::kConnection)->click();
    EXPECT_EQ(m_dialogs, std::vector<QString>{QStringLiteral("Connect")});
    EXPECT_FALSE(Window().CommandButton(COrvanDlgDlg::kConnection)->isChecked());
}

// Without the help files the program's own pages of the language open;
// the help files, once there, come first.
TEST_F(MainWindowTest, HelpFallsBackToTheOwnPagesOfTheLanguage)
{
    QTemporaryDir pages;
    for (const char* page : {"en/index.html", "zh/index.html"})
    {
        ASSERT_TRUE(QDir(pages.path()).mkpath(QFileInfo(page).path()));
        QFile file(QDir(pages.path()).filePath(QLatin1String(page)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    qputenv(HelpPages::kDirVariable, pages.path().toUtf8());
    std::vector<QString> opened;
    Window().SetHelpOpener([&](const QString& path) {
        opened.push_back(path);
        return true;
    });
    Window().CommandButton(COrvanDlgDlg::kHelp)->click();
    Window().SetLanguage(kEnglish);
    Window().CommandButton(COrvanDlgDlg::kHelp)->click();
    {
        QFile file(m_env.FilePath(QStringLiteral("C-HelpEN.chm")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    Window().CommandButton(COrvanDlgDlg::kHelp)->click();
    qunsetenv(HelpPages::kDirVariable);

    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0], QDir(pages.path()).filePath("zh/index.html"));
    EXPECT_EQ(opened[1], QDir(pages.path()).filePath("en/index.html"));
    EXPECT_EQ(opened[2], m_env.FilePath(QStringLiteral("C-HelpEN.chm")));
    EXPECT_TRUE(m_boxes.empty());
}

TEST(HelpPagesTest, InstalledPagesAreFoundBesideTheProgram)
{
    QTemporaryDir prefix;
    const QDir root(prefix.path());
    ASSERT_TRUE(root.mkpath("bin") && root.mkpath("share/orvan/help/zh"));
    QFile page(root.filePath("share/orvan/help/zh/index.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    EXPECT_EQ(HelpPages::IndexPath(kChinese, root.filePath("bin")), root.filePath("share/orvan/help/zh/index.html"));
    EXPECT_TRUE(HelpPages::IndexPath(kEnglish, root.filePath("bin")).isEmpty());
}

TEST_F(MainWindowTest, HelpOpensTheFileOfTheLanguageFromTheStartDirectory)
{
    for (const char* name : {"C-HelpCHS.chm", "C-HelpEN.chm"})
    {
        QFile file(m_env.FilePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    std::vector<QString> opened;
    bool openerSucceeds = true;
    Window().SetHelpOpener([&](const QString& path) {
        opened.push_back(path);
        return openerSucceeds;
    });
    // A later change of directory must not move the help files.
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));

    Window().CommandButton(COrvanDlgDlg::kHelp)->click();
    Window().SetLanguage(kEnglish);
    Window().CommandButton(COrvanDlgDlg::kHelp)->click();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], m_env.FilePath(QStringLiteral("C-HelpCHS.chm")));
    EXPECT_EQ(opened[1], m_env.FilePath(QStringLiteral("C-HelpEN.chm")));
    EXPECT_TRUE(m_boxes.empty());

    // The system refusing to open it reads as a missing file.
    openerSucceeds = false;
    EXPECT_EQ(Press(COrvanDlgDlg::kHelp).strText, QStringLiteral("Not Find Help File"));
}

TEST_F(MainWindowTest, EnterAndEscapeCommitAFieldAndNeverClose)
{
    COrvanDlgDlg& window = Window();
    auto* field = new QLineEdit(&window);  // stands for a numeric field of a panel
    field->setGeometry(20, 300, 80, 24);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy finished(&window, &QDialog::finished);

    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
    {
        field->setFocus();
        ASSERT_TRUE(field->hasFocus());
        QSignalSpy edited(field, &QLineEdit::editingFinished);
        QTest::keyClicks(field, QStringLiteral("12"));
        QTest::keyClick(field, key);
        EXPECT_TRUE(window.isVisible()) << "key " << key;
        EXPECT_FALSE(field->hasFocus()) << "key " << key;
        EXPECT_EQ(edited.count(), 1) << "key " << key;
    }

    // Nor does Enter press the command button that has the focus.
    m_boxes.clear();
    window.CommandButton(COrvanDlgDlg::kHelp)->setFocus();
    QTest::keyClick(window.CommandButton(COrvanDlgDlg::kHelp), Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(finished.count(), 0);
}

TEST_F(MainWindowTest, CreatesMusicFolderAtStart)
{
    ASSERT_FALSE(QDir(m_env.Path()).exists(QStringLiteral("MusicFile")));
    Window();
    EXPECT_TRUE(QFileInfo(m_env.FilePath(QStringLiteral("MusicFile"))).isDir());
}

TEST_F(MainWindowTest, StatusShowsNullUntilConnected)
{
    Window();
    EXPECT_EQ(FieldText("NameField"), QStringLiteral("NULL"));
    EXPECT_EQ(FieldText("NumberField"), QStringLiteral("NULL"));
    EXPECT_EQ(FieldText("DeviceIdField"), QStringLiteral("NULL"));

    Window().findChild<CStatusBlock*>()->ShowProgram(true);
    EXPECT_EQ(FieldText("NumberField"), QStringLiteral("0"));
    EXPECT_EQ(FieldText("DeviceIdField"), QStringLiteral("0"));
}

TEST_F(MainWindowTest, SelectingAChannelSwapsThePanelPairs)
{
    COrvanDlgDlg& window = Window();
    EXPECT_TRUE(PanelShown("InputChannelPanel"));
    EXPECT_TRUE(PanelShown("InputEqPanel"));
    EXPECT_FALSE(PanelShown("OutputChannelPanel"));
    EXPECT_FALSE(PanelShown("OutputEqPanel"));

    window.SelectChannel(ChannelAddress::Output(2));
    EXPECT_FALSE(PanelShown("InputChannelPanel"));
    EXPECT_FALSE(PanelShown("InputEqPanel"));
    EXPECT_TRUE(PanelShown("OutputChannelPanel"));
    EXPECT_TRUE(PanelShown("OutputEqPanel"));
    EXPECT_EQ(window.Selector().Current().bInput, 0);
    EXPECT_EQ(window.Selector().Current().nIndex, 2);

    window.SelectChannel(ChannelAddress::Output(4));
    EXPECT_TRUE(PanelShown("OutputChannelPanel"));
    EXPECT_EQ(window.Selector().Current().nIndex, 4);

    // Out of range: nothing moves.
    window.SelectChannel(ChannelAddress::Input(4));
    EXPECT_EQ(window.Selector().Current().bInput, 0);

    window.SelectChannel(ChannelAddress::Input(1));
    EXPECT_TRUE(PanelShown("InputChannelPanel"));
    EXPECT_TRUE(PanelShown("InputEqPanel"));
    EXPECT_FALSE(PanelShown("OutputChannelPanel"));
    EXPECT_FALSE(PanelShown("OutputEqPanel"));
    EXPECT_EQ(window.Selector().Current().bInput, 1);
    EXPECT_EQ(window.Selector().Current().nIndex, 1);
}

// The EQ panels unhook their faders from the record's bands when they go,
// so they must go while the record is still there.
TEST_F(MainWindowTest, EqPanelsGoBeforeTheRecord)
{
    COrvanDlgDlg& window = Window();
    window.SelectChannel(ChannelAddress::Output(5));
    window.SelectChannel(ChannelAddress::Input(2));
    std::vector<QString> gone;
    for (const char* name : {"InputEqPanel", "OutputEqPanel"})
        QObject::connect(window.findChild<QWidget*>(name), &QObject::destroyed,
                         [&gone, name] { gone.push_back(QString::fromLatin1(name)); });
    QObject::connect(&window.Link(), &QObject::destroyed, [&gone] { gone.push_back(QStringLiteral("record")); });
    m_window.reset();
    m_pLink.reset();
    ASSERT_EQ(gone.size(), 3u);
    EXPECT_EQ(gone.back(), "record");
}

// The window can be made no smaller than the layout allows, and every area
// (whatever widget stands in it) follows a resize.
TEST_F(MainWindowTest, ResizingPlacesEveryAreaWhereTheLayoutSays)
{
    using MainLayout::EArea;
    COrvanDlgDlg& window = Window();
    EXPECT_EQ(window.minimumSize(), MainLayout::kMinimumClient);
    window.show();
    EXPECT_EQ(window.size(), MainLayout::kMinimumClient);

    struct Placed
    {
        const char* szName;
        EArea eArea;
    };
    const Placed placed[] = {
        {"StatusBlock", EArea::Status},           {"ResponseGraph", EArea::Graph},
        {"InputChannelPanel", EArea::ChannelPanel}, {"OutputChannelPanel", EArea::ChannelPanel},
        {"InputEqPanel", EArea::EqPanel},         {"OutputEqPanel", EArea::EqPanel},
        {"ChannelStrip", EArea::ChannelStrip},
    };
    for (const QSize size : {MainLayout::kMinimumClient, QSize{1920, 1017}, QSize{1366, 705}, QSize{1000, 500}})
    {
        window.resize(size);
        QCoreApplication::processEvents();
        const QSize client = size.expandedTo(MainLayout::kMinimumClient);
        EXPECT_EQ(window.size(), client);
        const MainLayout::CAreas areas = MainLayout::Areas(client);
        for (const Placed& p : placed)
            EXPECT_EQ(window.findChild<QWidget*>(p.szName)->geometry(), areas.Of(p.eArea)) << p.szName;
        const std::vector<QRect> buttons = MainLayout::CommandButtons(areas.Of(EArea::Commands));
        for (int n = 0; n < COrvanDlgDlg::kCommandCount; ++n)
            EXPECT_EQ(window.CommandButton(COrvanDlgDlg::ECommand(n))->geometry(), buttons.at(size_t(n)));
    }
}

// At the minimum the status block still has room for all it shows, in
// either language.
TEST_F(MainWindowTest, StatusBlockFitsItsAreaAtTheMinimum)
{
    const QRect area = MainLayout::Areas(MainLayout::kMinimumClient).Of(MainLayout::EArea::Status);
    for (ELanguage language : {kChinese, kEnglish})
    {
        Window().SetLanguage(language);
        const QSize needed = Window().findChild<QWidget*>("StatusBlock")->minimumSizeHint();
        EXPECT_LE(needed.height(), area.height()) << language;
        EXPECT_LE(needed.width(), area.width()) << language;
    }
}
}
