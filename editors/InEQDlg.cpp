#include "editors/InEQDlg.h"

#include "session/ProcessorLink.h"

CInEQDlg::CInEQDlg(CProcessorLink& link, const CChannelSelector& selector, QWidget* parent)
    : CEqPanel(link, selector, true, CEQ::kInputBands, parent)
{
    setObjectName(QStringLiteral("InputEq"));
    Start();
}

EqPanelRules::BandFields CInEQDlg::FieldsOf(int /*band*/) const
{
    return EqPanelRules::InputBandFields();
}

void CInEQDlg::ResendEqMuted(int channel)
{
    Link().ResendInputEqMuted(channel);
}
