// The main window's size and place on first start and what it remembers
// from one start to the next, each start a process of its own on offscreen
// screens of the size a test gives.

#include "ui/MainLayout.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace
{
using State = std::map<QString, QString>;

QRect RectOf(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    return parts.size() == 4 ? QRect(parts[0].toInt(), parts[1].toInt(), parts[2].toInt(), parts[3].toInt()) : QRect();
}

class WindowMemoryTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    // Starts the window on one screen `name` of `width` x `height` with the
    // settings file of the test, makes the changes `args` asks for and
    // returns what it showed before them.
    State Start(const QString& name, int width, int height, const QStringList& args = {})
    {
        const QJsonObject screen{{"name", name}, {"x", 0}, {"y", 0}, {"width", width}, {"height", height}};
        const QString config = m_dir.filePath(name + QLatin1String(".json"));
        QFile file(config);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(QJsonObject{{"screens", QJsonArray{screen}}}).toJson());
        file.close();

        QProcess probe;
        probe.setWorkingDirectory(m_dir.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QLatin1String("offscreen:configfile=") + config);
        probe.setProcessEnvironment(env);
        probe.start(QStringLiteral(ORVAN_WINDOW_PROBE), QStringList{m_dir.filePath("orvan.ini")} + args);
        EXPECT_TRUE(probe.waitForFinished(20000));
        EXPECT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
        State state;
        for (const QString& field : QString::fromLocal8Bit(probe.readAllStandardOutput()).trimmed().split(' '))
        {
            const qsizetype at = field.indexOf(QLatin1Char('='));
            if (at > 0)
                state[field.left(at)] = field.mid(at + 1);
        }
        return state;
    }

    QTemporaryDir m_dir;
};

TEST_F(WindowMemoryTest, FirstStartTakesMostOfTheScreenWithItsWholeFrameOnIt)
{
    struct Case
    {
        int width, height;
    };
    for (const Case c : {Case{1280, 720}, Case{1920, 1080}, Case{2560, 1440}})
    {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        QFile::remove(m_dir.filePath("orvan.ini"));
        const State state = Start(QStringLiteral("first"), c.width, c.height);
        const QRect available = RectOf(state.at("available"));
        const QRect frame = RectOf(state.at("frame"));
        const QRect client = RectOf(state.at("client"));
        ASSERT_EQ(available, QRect(0, 0, c.width, c.height));
        EXPECT_TRUE(available.contains(frame)) << state.at("frame").toStdString();
        EXPECT_TRUE(frame.contains(client));
        EXPECT_GE(client.width(), MainLayout::kMinimumClient.width());
        EXPECT_GE(client.height(), MainLayout::kMinimumClient.height());
        // 85 % of the screen unless the minimum asks for more; centred.
        EXPECT_NEAR(frame.width(), std::max(0.85 * c.width, 1.0 * client.width() + frame.width() - client.width()), 1);
        EXPECT_NEAR(frame.height(), std::max(0.85 * c.height, 1.0 * client.height() + frame.height() - client.height()), 1);
        EXPECT_NEAR(frame.center().x(), available.center().x(), 1);
        EXPECT_NEAR(frame.center().y(), available.center().y(), 1);
    }
}

TEST_F(WindowMemoryTest, GeometryAndTheRememberedItemsSurviveARestart)
{
    const State first = Start(QStringLiteral("wide"), 2560, 1440,
                              {"--size", "1500x900", "--select", "7", "--curves", "2,9,12", "--language", "en",
                               "--port", "/dev/ttyUSB3", "--id", "17"});
    EXPECT_EQ(first.at("language"), "0");
    EXPECT_EQ(first.at("selected"), "1");

    const State second = Start(QStringLiteral("wide"), 2560, 1440);
    const QRect client = RectOf(second.at("client"));
    EXPECT_EQ(client.size(), QSize(1500, 900));
    EXPECT_EQ(client.topLeft(), RectOf(first.at("client")).topLeft());
    EXPECT_EQ(second.at("maximized"), "0");
    EXPECT_EQ(second.at("language"), "1");
    EXPECT_EQ(second.at("selected"), "7");
    EXPECT_EQ(second.at("curves"), "2,9,12");
    EXPECT_EQ(second.at("port"), "/dev/ttyUSB3");
    EXPECT_EQ(second.at("id"), "17");
}

TEST_F(WindowMemoryTest, MaximisedStaysMaximised)
{
    Start(QStringLiteral("wide"), 1920, 1080, {"--maximize"});
    EXPECT_EQ(Start(QStringLiteral("wide"), 1920, 1080).at("maximized"), "1");
}

TEST_F(WindowMemoryTest, AScreenThatIsGoneGivesTheFirstStartPlaceAgain)
{
    Start(QStringLiteral("large"), 2560, 1440, {"--size", "2400x1300"});
    const State state = Start(QStringLiteral("small"), 1280, 720);
    const QRect available = RectOf(state.at("available"));
    EXPECT_TRUE(available.contains(RectOf(state.at("frame")))) << state.at("frame").toStdString();
    EXPECT_EQ(RectOf(state.at("client")).size(), MainLayout::kMinimumClient);
}
}
