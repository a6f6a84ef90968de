#include "link/Serial/SerialError.h"

namespace SerialError
{
int FromQt(QSerialPort::SerialPortError eError)
{
    switch (eError)
    {
    case QSerialPort::NoError: return kSuccess;
    case QSerialPort::DeviceNotFoundError: return kFileNotFound;
    case QSerialPort::PermissionError: return kAccessDenied;
    case QSerialPort::OpenError: return kAlreadyInitialized;
    case QSerialPort::WriteError: return kWriteFault;
    case QSerialPort::ReadError: return kReadFault;
    case QSerialPort::ResourceError: return kDeviceRemoved;
    case QSerialPort::UnsupportedOperationError: return kNotSupported;
    case QSerialPort::TimeoutError: return kTimeout;
    case QSerialPort::NotOpenError: return kInvalidHandle;
    case QSerialPort::UnknownError: break;
    }
    return kGenFailure;
}
}
