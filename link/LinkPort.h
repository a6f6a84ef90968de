#pragma once

#include <QObject>
#include <QString>

#include <cstdint>

// The serial line as the communication engine uses it. The real port and
// the tests' fake both stand behind this.
//
// Results are system error codes, 0 on success. Notifications arrive on the
// thread that owns the port, never inside one of its own calls.
class CLinkPort : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~CLinkPort() override = default;

    // Opens a port by name ("COM3", "ttyUSB0") or device path (a symlink to
    // a pseudo-terminal included) with the processor's line settings:
    // 57600 baud, 8 data bits, no parity, 1 stop bit, no flow control; or
    // "tcp://host:port", a serial device server that carries the line.
    virtual int Open(const QString& strPort) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Hands the bytes to the driver, waiting at most nWaitMs.
    virtual int Write(const uint8_t* pData, int nLength, int nWaitMs) = 0;
    // Copies up to nCapacity bytes already received; never waits. Returns
    // the count, 0 when nothing is there or the read failed.
    virtual int Read(uint8_t* pData, int nCapacity) = 0;
    // Drops everything buffered in both directions.
    virtual void Purge() = 0;

signals:
    // Bytes have arrived and can be read.
    void bytesArrived();
    // The port stopped working while open (an adapter pulled out) and has
    // been closed.
    void lineFault(int nError);
};
