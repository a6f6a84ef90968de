#include "session/RecordNotice.h"

CRecordNotice::CRecordNotice(QObject* pParent)
    : QObject(pParent)
{
}

bool CRecordNotice::Apply(int nChannelCode, int nParam, const std::function<bool()>& fnSet)
{
    if (!fnSet || !fnSet())
        return false;
    emit valueChanged(nChannelCode, nParam);
    return true;
}

void CRecordNotice::NotifyValueChanged(int nChannelCode, int nParam)
{
    emit valueChanged(nChannelCode, nParam);
}

void CRecordNotice::NotifyProgramLoaded()
{
    emit programLoaded();
}

void CRecordNotice::NotifyLocksChanged()
{
    emit locksChanged();
}

bool CRecordNotice::SetLanguage(int nLanguage)
{
    const int nNew = nLanguage == kEnglish ? kEnglish : kChinese;
    if (nNew == m_nLanguage)
        return false;
    m_nLanguage = nNew;
    emit languageChanged(m_nLanguage);
    return true;
}
