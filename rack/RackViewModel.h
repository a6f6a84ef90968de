#pragma once

#include "model/ValueText.h"

#include <QIdentityProxyModel>

// The rack's model as the window's table shows it: the online column as a
// lamp with its word, the edited processor's row marked, and no check boxes
// under the mute toggles the window places in their cells.
class CRackViewModel : public QIdentityProxyModel
{
    Q_OBJECT

public:
    explicit CRackViewModel(QObject* pParent = nullptr);

    // The language flag (model/ValueText.h) of the online word.
    void SetLanguage(ELanguage eLanguage);

    QVariant data(const QModelIndex& index, int nRole = Qt::DisplayRole) const override;

private:
    ELanguage m_eLanguage;
};
