#include "disk/AtomicFileQt.h"

#include <QFile>

namespace
{
std::string OnDisk(const QString& strPath)
{
    return QFile::encodeName(strPath).toStdString();
}

AtomicFile::QtOutcome ToQt(const AtomicFile::Outcome& outcome)
{
    return {outcome.eResult, QString::fromLocal8Bit(outcome.strReason)};
}
}

namespace AtomicFile
{
QtOutcome Write(const QString& strPath, std::span<const std::byte> bytes)
{
    return ToQt(Write(OnDisk(strPath), bytes));
}

QtOutcome Write(const QString& strPath, const QByteArray& bytes)
{
    return Write(strPath, std::as_bytes(std::span(bytes.constData(), static_cast<size_t>(bytes.size()))));
}

QtOutcome Write(const QString& strPath, const QByteArray& bytes, EAccess eAccess)
{
    return ToQt(Write(OnDisk(strPath), std::as_bytes(std::span(bytes.constData(), static_cast<size_t>(bytes.size()))),
                      eAccess));
}

QtOutcome WriteThrough(const QString& strPath, const QtFiller& fill)
{
    return ToQt(WriteThrough(OnDisk(strPath), [&fill](const std::string& strTempPath, std::string& strReason) {
        QString strQtReason;
        const bool bFilled = fill(QFile::decodeName(QByteArray::fromStdString(strTempPath)), strQtReason);
        strReason = strQtReason.toLocal8Bit().toStdString();
        return bFilled;
    }));
}
}
