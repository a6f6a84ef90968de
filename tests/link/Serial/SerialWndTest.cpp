#include "link/Serial/PortList.h"
#include "vproc/PseudoTerminal.h"
#include "link/Serial/SerialError.h"
#include "link/Serial/SerialWnd.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <functional>
#include <vector>

using Bytes = std::vector<char>;

namespace
{
// Opens the port the way the link engine does: 57600 8N1, no handshake,
// non-blocking reads, every line event.
int OpenLine(CSerialWnd& port, const QString& strDevice)
{
    int nError = port.Open(strDevice, 2048, 2048);
    if (nError == 0)
        nError = port.Setup(57600, CSerial::EData8, CSerial::EParNone, CSerial::EStop1);
    if (nError == 0)
        nError = port.SetupHandshaking(CSerial::EHandshakeOff);
    if (nError == 0)
        nError = port.SetupReadTimeouts(CSerial::EReadTimeoutNonblocking);
    if (nError == 0)
        nError = port.SetMask(CSerial::EEventAll);
    return nError;
}

// Collects nCount bytes from the port, running the event loop meanwhile.
Bytes ReadPort(CSerial& port, size_t nCount, int nTimeoutMs = 1000)
{
    Bytes received;
    const QDeadlineTimer deadline(nTimeoutMs);
    while (received.size() < nCount && !deadline.hasExpired())
    {
        char buffer[2000];
        qint64 dwRead = 0;
        if (port.Read(buffer, sizeof buffer, &dwRead) != 0)
            break;
        received.insert(received.end(), buffer, buffer + dwRead);
        if (received.size() < nCount)
            QTest::qWait(5);
    }
    return received;
}

// Every byte the master gets until the line stays quiet for nQuietMs.
Bytes DrainMaster(CPseudoTerminal& pty, int nQuietMs = 100)
{
    Bytes received;
    char buffer[4096];
    while (pty.WaitReadable(nQuietMs))
    {
        const ssize_t n = pty.Read(buffer, sizeof buffer);
        if (n <= 0)
            break;
        received.insert(received.end(), buffer, buffer + n);
    }
    return received;
}

Bytes ReadMaster(CPseudoTerminal& pty, size_t nCount, int nTimeoutMs = 1000)
{
    Bytes received;
    char buffer[4096];
    const QDeadlineTimer deadline(nTimeoutMs);
    while (received.size() < nCount && pty.WaitReadable(static_cast<int>(deadline.remainingTime())))
    {
        const ssize_t n = pty.Read(buffer, sizeof buffer);
        if (n <= 0)
            break;
        received.insert(received.end(), buffer, buffer + n);
    }
    return received;
}

void WriteMaster(CPseudoTerminal& pty, const Bytes& bytes)
{
    ASSERT_EQ(pty.Write(bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
}

Bytes Pattern(size_t nCount)
{
    Bytes bytes(nCount);
    for (size_t i = 0; i < nCount; ++i)
        bytes[i] = static_cast<char>(0x11 * (i % 15 + 1));
    return bytes;
}

class SerialWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_pty.Open()) << "errno " << m_pty.GetLastError();
        m_strSlave = QString::fromStdString(m_pty.SlavePath());
    }

    void TearDown() override { m_port.Close(); }

    CPseudoTerminal m_pty;
    QString m_strSlave;
    CSerialWnd m_port;
};

// Exposes the event callbacks so the delivery rules can be driven directly.
class CProbeSerialWnd : public CSerialWnd
{
public:
    using CSerialWnd::OnEvent;
    using CSerialWnd::OnFault;
};
}

TEST_F(SerialWndTest, ReceivedBytesRaiseACharacterEventAndAreReadInPieces)
{
    ASSERT_EQ(OpenLine(m_port, m_strSlave), 0);
    QSignalSpy events(&m_port, &CSerialWnd::lineEvent);

    const Bytes frame{0x5A, 0x5A, 0x11, 0x22, 0x33, static_cast<char>(0xAA)};
    WriteMaster(m_pty, frame);
    ASSERT_TRUE(events.wait(1000));

    const quint32 wParam = events.at(0).at(0).toUInt();
    EXPECT_EQ(CSerialWnd::EventWord(wParam), quint32{CSerial::EEventRecv});
    EXPECT_EQ(CSerialWnd::ErrorFlags(wParam), 0u);

    char buffer[4] = {};
    qint64 dwRead = -1;
    ASSERT_EQ(m_port.Read(buffer, sizeof buffer, &dwRead), 0);
    ASSERT_GT(dwRead, 0);
    ASSERT_LE(dwRead, 4);
    Bytes received(buffer, buffer + dwRead);
    const Bytes rest = ReadPort(m_port, frame.size() - received.size());
    received.insert(received.end(), rest.begin(), rest.end());
    EXPECT_EQ(received, frame);

    ASSERT_EQ(m_port.Read(buffer, sizeof buffer, &dwRead), 0);
    EXPECT_EQ(dwRead, 0) << "a read returns at once when nothing is waiting";
}

TEST_F(SerialWndTest, WriteHandsTheLargestFrameToTheLine)
{
    ASSERT_EQ(OpenLine(m_port, m_strSlave), 0);
    const Bytes frame = Pattern(1483);

    qint64 dwWritten = 0;
    ASSERT_EQ(m_port.Write(frame.data(), static_cast<qint64>(frame.size()), &dwWritten), 0);
    EXPECT_EQ(dwWritten, static_cast<qint64>(frame.size()));
    EXPECT_EQ(ReadMaster(m_pty, frame.size()), frame);
}

TEST_F(SerialWndTest, OpensThroughASymlinkToThePort)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString strLink = dir.filePath("processor");
    ASSERT_TRUE(QFile::link(m_strSlave, strLink));

    ASSERT_EQ(OpenLine(m_port, strLink), 0);
    const Bytes request{0x5A, 0x5A, static_cast<char>(0xA8)};
    ASSERT_EQ(m_port.Write(request.data(), static_cast<qint64>(request.size())), 0);
    EXPECT_EQ(ReadMaster(m_pty, request.size()), request);

    const Bytes answer{0x5A, static_cast<char>(0xA4)};
    WriteMaster(m_pty, answer);
    EXPECT_EQ(ReadPort(m_port, answer.size()), answer);
}

TEST_F(SerialWndTest, WriteThatCannotDrainTimesOutAndLeavesNoTail)
{
    ASSERT_EQ(OpenLine(m_port, m_strSlave), 0);
    // Far more than the pseudo-terminal buffers while nobody reads the master.
    const Bytes flood = Pattern(1 << 20);

    QElapsedTimer clock;
    clock.start();
    qint64 dwWritten = 0;
    EXPECT_EQ(m_port.Write(flood.data(), static_cast<qint64>(flood.size()), &dwWritten, 100),
              SerialError::kTimeout);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(m_port.GetLastError(), SerialError::kTimeout);
    EXPECT_LT(dwWritten, static_cast<qint64>(flood.size()));

    // Whatever the driver took may still arrive; after that, only the next
    // frame may follow, not the rest of the cancelled one.
    DrainMaster(m_pty);
    const Bytes next{0x5A, 0x5A, static_cast<char>(0xA8)};
    ASSERT_EQ(m_port.Write(next.data(), static_cast<qint64>(next.size())), 0);
    QTest::qWait(20);
    EXPECT_EQ(DrainMaster(m_pty), next);
}

TEST_F(SerialWndTest, PurgeDropsInputBothTakenInAndStillInTheDriver)
{
    // A second reader that only watches the line: it tells when bytes sit in
    // the driver's input queue. Opened first, as the port then takes the line
    // for itself.
    const int fdWatch = ::open(m_pty.SlavePath().c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fdWatch, 0);
    ASSERT_EQ(OpenLine(m_port, m_strSlave), 0);
    QSignalSpy events(&m_port, &CSerialWnd::lineEvent);

    WriteMaster(m_pty, {0x11, 0x22});
    ASSERT_TRUE(events.wait(1000));  // now in the port's own buffer
    WriteMaster(m_pty, {0x33, 0x44});
    pollfd pfd{fdWatch, POLLIN, 0};
    ASSERT_EQ(::poll(&pfd, 1, 1000), 1);  // and these in the driver's

    EXPECT_EQ(m_port.Purge(), 0);
    QTest::qWait(50);
    EXPECT_TRUE(ReadPort(m_port, 1, 0).empty());

    WriteMaster(m_pty, {0x55});
    EXPECT_EQ(ReadPort(m_port, 1), Bytes{0x55});
    ::close(fdWatch);
}

TEST_F(SerialWndTest, EventsOutsideTheMaskAreNotReported)
{
    ASSERT_EQ(OpenLine(m_port, m_strSlave), 0);
    ASSERT_EQ(m_port.SetMask(CSerial::EEventBreak | CSerial::EEventError), 0);
    QSignalSpy events(&m_port, &CSerialWnd::lineEvent);

    WriteMaster(m_pty, {0x11});
    EXPECT_FALSE(events.wait(200));
    EXPECT_EQ(ReadPort(m_port, 1), Bytes{0x11}) << "the bytes are still there to read";
}

TEST_F(SerialWndTest, OpeningTwiceIsRefusedAndLeavesThePortWorking)
{
    ASSERT_EQ(OpenLine(m_port, m_strSlave), 0);
    EXPECT_EQ(m_port.Open(m_strSlave), SerialError::kAlreadyInitialized);
    EXPECT_EQ(m_port.GetLastError(), SerialError::kAlreadyInitialized);
    ASSERT_TRUE(m_port.IsOpen());

    WriteMaster(m_pty, {0x11});
    EXPECT_EQ(ReadPort(m_port, 1), Bytes{0x11});
}

TEST_F(SerialWndTest, APortInUseIsRefusedUnderAnyName)
{
    QTemporaryDir dir;
    const QString strLink = dir.filePath("processor");
    ASSERT_TRUE(QFile::link(m_strSlave, strLink));
    ASSERT_EQ(OpenLine(m_port, m_strSlave), 0);

    for (const QString& strName : {m_strSlave, strLink})
    {
        SCOPED_TRACE(strName.toStdString());
        CSerialWnd other;
        EXPECT_NE(other.Open(strName), 0);
        EXPECT_FALSE(other.IsOpen());
    }
}

TEST(SerialWnd, OpeningAMissingPortFails)
{
    for (const char* pszName : {"/nonexistent/ttyUSB9", "NULL", ""})
    {
        SCOPED_TRACE(pszName);
        CSerialWnd port;
        EXPECT_EQ(port.Open(pszName), SerialError::kFileNotFound);
        EXPECT_EQ(port.GetLastError(), SerialError::kFileNotFound);
        EXPECT_FALSE(port.IsOpen());
    }
}

TEST(SerialWnd, EveryOperationOnAClosedPortReportsAnInvalidHandle)
{
    const std::pair<const char*, std::function<int(CSerialWnd&)>> operations[] = {
        {"Setup", [](CSerialWnd& p) { return p.Setup(57600); }},
        {"SetupHandshaking", [](CSerialWnd& p) { return p.SetupHandshaking(CSerial::EHandshakeOff); }},
        {"SetupReadTimeouts", [](CSerialWnd& p) { return p.SetupReadTimeouts(CSerial::EReadTimeoutNonblocking); }},
        {"SetMask", [](CSerialWnd& p) { return p.SetMask(CSerial::EEventAll); }},
        {"StartListener", [](CSerialWnd& p) { return p.StartListener(); }},
        {"Purge", [](CSerialWnd& p) { return p.Purge(); }},
        {"Write",
         [](CSerialWnd& p)
         {
             qint64 dwWritten = -1;
             const int nError = p.Write("\x5A", 1, &dwWritten);
             return dwWritten == 0 ? nError : -1;
         }},
        {"Read",
         [](CSerialWnd& p)
         {
             char buffer[8];
             qint64 dwRead = -1;
             const int nError = p.Read(buffer, sizeof buffer, &dwRead);
             return dwRead == 0 ? nError : -1;
         }},
    };

    CPseudoTerminal pty;
    ASSERT_TRUE(pty.Open());
    CSerialWnd neverOpened;
    CSerialWnd closed;
    ASSERT_EQ(OpenLine(closed, QString::fromStdString(pty.SlavePath())), 0);
    ASSERT_EQ(closed.Close(), 0);

    for (CSerialWnd* pPort : {&neverOpened, &closed})
    {
        for (const auto& [pszName, fnOperation] : operations)
        {
            SCOPED_TRACE(pszName);
            EXPECT_EQ(fnOperation(*pPort), SerialError::kInvalidHandle);
            EXPECT_EQ(pPort->GetLastError(), SerialError::kInvalidHandle);
        }
        EXPECT_EQ(pPort->Close(), 0) << "closing twice is harmless";
    }
}

TEST_F(SerialWndTest, FarSideHangingUpIsALineFaultThatClosesThePort)
{
    ASSERT_EQ(OpenLine(m_port, m_strSlave), 0);
    QSignalSpy faults(&m_port, &CSerialWnd::lineFault);

    m_pty.Close();
    ASSERT_TRUE(faults.wait(1000));
    EXPECT_NE(faults.at(0).at(0).toInt(), 0);
    EXPECT_FALSE(m_port.IsOpen());
    QTest::qWait(50);
    EXPECT_EQ(faults.size(), 1) << "one fault, not one per pass of the event loop";

    // The object is ready for the next line.
    CPseudoTerminal next;
    ASSERT_TRUE(next.Open());
    EXPECT_EQ(OpenLine(m_port, QString::fromStdString(next.SlavePath())), 0);
}

TEST_F(SerialWndTest, WriteToALineWhoseFarSideHungUpFailsPromptly)
{
    ASSERT_EQ(OpenLine(m_port, m_strSlave), 0);
    QSignalSpy faults(&m_port, &CSerialWnd::lineFault);
    m_pty.Close();

    QElapsedTimer clock;
    clock.start();
    const Bytes frame = Pattern(64);
    EXPECT_NE(m_port.Write(frame.data(), static_cast<qint64>(frame.size())), 0);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(faults.size() == 1 || faults.wait(1000));
    EXPECT_FALSE(m_port.IsOpen());
}

TEST_F(SerialWndTest, EventsStillQueuedAtCloseOrReopenAreDropped)
{
    CProbeSerialWnd port;
    QSignalSpy events(&port, &CSerialWnd::lineEvent);
    QSignalSpy faults(&port, &CSerialWnd::lineFault);
    ASSERT_EQ(OpenLine(port, m_strSlave), 0);

    port.OnEvent(CSerial::EEventRecv, 0);
    port.Close();
    port.OnFault(SerialError::kDeviceRemoved);
    ASSERT_EQ(OpenLine(port, m_strSlave), 0);
    QTest::qWait(20);
    EXPECT_EQ(events.size(), 0);
    EXPECT_EQ(faults.size(), 0);

    port.OnEvent(CSerial::EEventError, CSerial::EErrorIOE);
    ASSERT_TRUE(events.wait(1000));
    EXPECT_EQ(events.at(0).at(0).toUInt(), quint32{CSerial::EEventError | (CSerial::EErrorIOE << 16)});
    port.Close();
}

namespace
{
QStringList g_lstMessages;

void CollectMessage(QtMsgType, const QMessageLogContext&, const QString& strMessage)
{
    g_lstMessages.append(strMessage);
}
}

TEST_F(SerialWndTest, DestroyingAnOpenPortClosesItAndSaysSo)
{
    auto pPort = std::make_unique<CSerialWnd>();
    ASSERT_EQ(OpenLine(*pPort, m_strSlave), 0);

    g_lstMessages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(CollectMessage);
    pPort.reset();
    qInstallMessageHandler(previous);
    EXPECT_TRUE(g_lstMessages.contains("CSerialWnd::~CSerialWnd - Serial port not closed"));

    EXPECT_EQ(OpenLine(m_port, m_strSlave), 0) << "the line was given back";
}

TEST_F(SerialWndTest, TestOpenKeepsOnlyPortsThatOpen)
{
    QList<SerialPortEntry> lstPorts{
        {m_strSlave, "pts", false, "pseudo-terminal"},
        {"/nonexistent/ttyUSB9", "ttyUSB9", true, "gone"},
    };
    PortList::RemoveUnopenable(lstPorts);
    ASSERT_EQ(lstPorts.size(), 1);
    EXPECT_EQ(lstPorts.front().strDevicePath, m_strSlave);
}
