#include "link/Serial/SerialWnd.h"

#include <QDebug>

CSerialWnd::CSerialWnd(QObject* pParent)
    : CSerialEx(pParent)
{
}

CSerialWnd::~CSerialWnd()
{
    if (IsOpen())
    {
        qWarning("CSerialWnd::~CSerialWnd - Serial port not closed");
        Close();
    }
}

int CSerialWnd::Open(const QString& strDevice, qint64 dwInQueue, qint64 dwOutQueue)
{
    if (!IsOpen())
        ++m_nSession;
    return CSerialEx::Open(strDevice, dwInQueue, dwOutQueue);
}

int CSerialWnd::Close()
{
    ++m_nSession;
    return CSerialEx::Close();
}

template <typename F>
void CSerialWnd::Post(F fnEmit)
{
    const quint64 nSession = m_nSession;
    QMetaObject::invokeMethod(
        this,
        [this, nSession, fnEmit]
        {
            if (nSession == m_nSession)
                fnEmit();
        },
        Qt::QueuedConnection);
}

void CSerialWnd::OnEvent(quint32 dwEvent, quint32 dwErrors)
{
    const quint32 wParam = (dwEvent & 0xFFFFu) | ((dwErrors & 0xFFFFu) << 16);
    Post([this, wParam] { emit lineEvent(wParam); });
}

void CSerialWnd::OnFault(int nError)
{
    // Close has already run, so the fault belongs to the session now current.
    Post([this, nError] { emit lineFault(nError); });
}
