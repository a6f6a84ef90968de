#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

class QSerialPort;

// One serial port, configured and used from the thread that owns it.
//
// Every operation records its result as the last error and returns it:
// 0 on success, else a Windows system error code (see SerialError.h).
// Operations on a closed port return 6 (ERROR_INVALID_HANDLE); Close on a
// closed port is harmless and returns 0. Failures are traced to the debug
// output in the form "CSerial::Open - Unable to open port"; nothing here
// talks to the user.
class CSerial
{
public:
    // Line events, with the Windows EV_ values so masks and event words can
    // be compared across platforms.
    enum EEvent : quint32
    {
        EEventNone = 0x0000,
        EEventRecv = 0x0001,        // character received
        EEventRcvEv = 0x0002,       // event character received
        EEventSend = 0x0004,        // transmit buffer empty
        EEventCTS = 0x0008,
        EEventDSR = 0x0010,
        EEventRLSD = 0x0020,
        EEventBreak = 0x0040,
        EEventError = 0x0080,       // line status error
        EEventRing = 0x0100,
        EEventAll = 0x01FF,
    };

    // Line error flags reported with EEventError, Windows CE_ values.
    enum EError : quint32
    {
        EErrorNone = 0x0000,
        EErrorRxOver = 0x0001,
        EErrorOverrun = 0x0002,
        EErrorParity = 0x0004,
        EErrorFrame = 0x0008,
        EErrorBreak = 0x0010,
        EErrorTxFull = 0x0100,
        EErrorIOE = 0x0400,         // I/O error talking to the device
    };

    enum EDataBits { EData5 = 5, EData6 = 6, EData7 = 7, EData8 = 8 };
    enum EParity { EParNone, EParOdd, EParEven, EParMark, EParSpace };
    enum EStopBits { EStop1, EStop1_5, EStop2 };
    enum EHandshake { EHandshakeOff, EHandshakeHardware, EHandshakeSoftware };
    enum EReadTimeout { EReadTimeoutNonblocking };

    static constexpr int kDefaultWaitMs = 5000;

    CSerial();
    virtual ~CSerial();

    CSerial(const CSerial&) = delete;
    CSerial& operator=(const CSerial&) = delete;

    // Opens a port by name ("COM3", "ttyUSB0"), by device path ("/dev/ttyUSB0",
    // a pseudo-terminal or a symlink to one) or in the Windows device form
    // "\\.\COM3". The port comes up raw with non-blocking reads and the event
    // mask break | error | character received. The queue sizes are accepted
    // for the callers' sake but not imposed: the buffers grow as needed, so
    // no received byte is dropped while the caller is busy.
    // 1247 when already open; 2 when the port does not exist; 5 when it is
    // in use or not accessible.
    virtual int Open(const QString& strDevice, qint64 dwInQueue = 0, qint64 dwOutQueue = 0);
    virtual int Close();

    virtual int Setup(qint32 nBaudrate = 9600, EDataBits eDataBits = EData8,
                      EParity eParity = EParNone, EStopBits eStopBits = EStop1);
    // Off also drops DTR and RTS; a port without modem lines (a
    // pseudo-terminal, some USB bridges) is accepted all the same.
    virtual int SetupHandshaking(EHandshake eHandshake);
    // Only non-blocking reads are offered: Read returns at once.
    virtual int SetupReadTimeouts(EReadTimeout eReadTimeout);
    // Records which line events the listener layer reports.
    virtual int SetMask(quint32 dwMask = EEventAll);

    // Hands all bytes to the driver, waiting at most nWaitMs (-1: no limit).
    // On time-out the unsent rest is discarded and 1460 (ERROR_TIMEOUT)
    // returned. pdwWritten receives the bytes handed over.
    virtual int Write(const void* pData, qint64 iLen, qint64* pdwWritten = nullptr,
                      int nWaitMs = kDefaultWaitMs);
    // Copies up to iLen bytes already received and returns at once.
    virtual int Read(void* pData, qint64 iLen, qint64* pdwRead = nullptr);

    // Drops everything buffered in both directions.
    int Purge();

    bool IsOpen() const;
    int GetLastError() const { return m_nLastError; }
    quint32 GetEventMask() const { return m_dwEventMask; }

protected:
    QSerialPort& Port() { return *m_pPort; }
    int SetError(int nError) { return m_nLastError = nError; }
    // Traces the failure and records its code.
    int Fail(const char* pszTrace, int nError);
    // The port's current Qt error as a system code, clearing it for the next call.
    int TakePortError(int nFallback);

private:
    static QString SystemLocation(const QString& strDevice);

    std::unique_ptr<QSerialPort> m_pPort;
    int m_nLastError = 0;
    quint32 m_dwEventMask = EEventNone;
};
