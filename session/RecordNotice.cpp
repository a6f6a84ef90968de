#include "session/RecordNotice.h"

CRecordNotice::CRecordNotice(QObject* pParent)
    : QObject(pParent)
{
}

bool CRecordNotice::Apply(int nChannelCode, EParam eParam, const std::function<bool()>& fnSet)
{
    if (!fnSet || !fnSet())
        return false;
    emit valueChanged(nChannelCode, eParam);
    return true;
}

void CRecordNotice::NotifyValueChanged(int nChannelCode, EParam eParam)
{
    emit valueChanged(nChannelCode, eParam);
}

void CRecordNotice::NotifyValueMoving(int nChannelCode, EParam eParam)
{
    emit valueMoving(nChannelCode, eParam);
}

void CRecordNotice::NotifyProgramLoaded()
{
    emit programLoaded();
}

void CRecordNotice::NotifyLocksChanged()
{
    emit locksChanged();
}

bool CRecordNotice::SetLanguage(ELanguage eLanguage)
{
    const ELanguage eNew = eLanguage == kEnglish ? kEnglish : kChinese;
    if (eNew == m_eLanguage)
        return false;
    m_eLanguage = eNew;
    emit languageChanged(m_eLanguage);
    return true;
}
