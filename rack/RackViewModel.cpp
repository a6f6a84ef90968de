#include "rack/RackViewModel.h"

#include "line/RackModel.h"
#include "model/ValueText.h"
#include "rack/RackText.h"
#include "ui/MainSkin.h"

#include <QColor>

CRackViewModel::CRackViewModel(QObject* pParent)
    : QIdentityProxyModel(pParent)
    , m_eLanguage(kEnglish)
{
}

void CRackViewModel::SetLanguage(ELanguage eLanguage)
{
    m_eLanguage = eLanguage;
    if (rowCount() > 0)
        emit dataChanged(index(0, CRackModel::kColumnOnline), index(rowCount() - 1, CRackModel::kColumnOnline));
}

QVariant CRackViewModel::data(const QModelIndex& index, int nRole) const
{
    if (!index.isValid())
        return {};
    const int nColumn = index.column();
    if (nRole == Qt::BackgroundRole)
        return QIdentityProxyModel::data(index, CRackModel::kEditedRole).toBool() ? QVariant(CMainSkin::kAccentDark)
                                                                                  : QVariant();
    if (nColumn >= CRackModel::kColumnFirstMute)
        return nRole == Qt::CheckStateRole || nRole == Qt::DisplayRole ? QVariant()
                                                                       : QIdentityProxyModel::data(index, nRole);
    if (nColumn != CRackModel::kColumnOnline)
        return QIdentityProxyModel::data(index, nRole);
    const bool bOnline = QIdentityProxyModel::data(index, Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
    switch (nRole)
    {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return RackText(bOnline ? ERackText::Online : ERackText::Offline, m_eLanguage);
    case Qt::DecorationRole:
        return bOnline ? CMainSkin::kOn : CMainSkin::kMutedText;
    case Qt::CheckStateRole:
        return {};
    default:
        return QIdentityProxyModel::data(index, nRole);
    }
}
