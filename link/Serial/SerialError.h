#pragma once

#include <QSerialPort>

// The port classes report errors as Windows system error codes (0 = success)
// on every platform, so callers compare against one set of numbers whether
// the port came from the Win32 API or from a POSIX tty.
//
// QSerialPort error          code  meaning
// NoError                       0  success
// DeviceNotFoundError           2  ERROR_FILE_NOT_FOUND: no such port
// PermissionError               5  ERROR_ACCESS_DENIED: no rights
//                              32  ERROR_SHARING_VIOLATION: the rights are
//                                  there, so another program holds the port
// NotOpenError                  6  ERROR_INVALID_HANDLE: port not open
// WriteError                   29  ERROR_WRITE_FAULT
// ReadError                    30  ERROR_READ_FAULT
// UnknownError                 31  ERROR_GEN_FAILURE
// UnsupportedOperationError    50  ERROR_NOT_SUPPORTED: setting refused
// OpenError                  1247  ERROR_ALREADY_INITIALIZED: already open
// TimeoutError               1460  ERROR_TIMEOUT
// ResourceError              1617  ERROR_DEVICE_REMOVED: port vanished
//
// A port behind a serial device server ("tcp://host:port", SerialTcp.h)
// adds the Winsock codes of its stream:
// name not host:port            123  ERROR_INVALID_NAME
// stream reset                10054  WSAECONNRESET
// no answer in time           10060  WSAETIMEDOUT
// connection refused          10061  WSAECONNREFUSED
// host unreachable            10065  WSAEHOSTUNREACH
// closed by the server        10101  WSAEDISCON
// unknown host                11001  WSAHOST_NOT_FOUND
namespace SerialError
{
constexpr int kSuccess = 0;
constexpr int kFileNotFound = 2;
constexpr int kAccessDenied = 5;
constexpr int kInvalidHandle = 6;
constexpr int kWriteFault = 29;
constexpr int kReadFault = 30;
constexpr int kGenFailure = 31;
constexpr int kSharingViolation = 32;
constexpr int kNotSupported = 50;
constexpr int kInvalidParameter = 87;
constexpr int kInvalidName = 123;
constexpr int kAlreadyInitialized = 1247;
constexpr int kTimeout = 1460;
constexpr int kDeviceRemoved = 1617;
constexpr int kConnectionReset = 10054;
constexpr int kConnectTimedOut = 10060;
constexpr int kConnectionRefused = 10061;
constexpr int kHostUnreachable = 10065;
constexpr int kConnectionClosed = 10101;
constexpr int kHostNotFound = 11001;

int FromQt(QSerialPort::SerialPortError eError);
}
