#include "editors/InFaceDlg.h"

#include "editors/NumEdit.h"
#include "editors/NumSpin.h"

CInFaceDlg::CInFaceDlg(CProcessorLink& link, const CChannelSelector& selector, QWidget* parent)
    : CChannelFace(link, selector, true, parent)
{
    setObjectName(QStringLiteral("InputChannelPanel"));
    AddField(m_pGateField, m_pGateSpin, EParam::kInGate);
    m_pGateField->setObjectName(QStringLiteral("GateField"));
    Start();
}

void CInFaceDlg::PlaceControls()
{
    FaceLayout::InFaceRects r = FaceLayout::InFace(size());
    m_pGateField->setGeometry(r.gateField);
    m_pGateSpin->setGeometry(r.gateSpin);
    PlaceShared(r.signal, r.matrix, std::move(r.sections), std::move(r.captions));
}
