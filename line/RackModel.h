#pragma once

#include "model/ValueText.h"
#include "wire/WireNumbers.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <vector>

// The processors of a line as the rack shows them, one row each in ID
// order: ID, label, model (inputs x outputs), firmware, live program number
// and name, online, and the eight output mutes. The rack poll and the
// edited processor's link keep it current; a rack window shows it.
//
// Online and the mutes answer Qt::CheckStateRole as well (checked = online,
// muted); kEditedRole tells the row the editor is on.
class CRackModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int kOutputs = Frame::kOutputCount;
    static constexpr int kEditedRole = Qt::UserRole + 1;

    enum EColumn
    {
        kColumnId,
        kColumnLabel,
        kColumnModel,
        kColumnFirmware,
        kColumnProgram,
        kColumnProgramName,
        kColumnOnline,
        kColumnFirstMute,
        kColumnCount = kColumnFirstMute + kOutputs,
    };

    struct Row
    {
        int nId = 0;
        QString strLabel;
        int nInputs = 0;   // 0 until the processor has told its type
        int nOutputs = 0;
        QString strFirmware;
        int nProgram = 0;  // the slot last recalled; 0 unknown
        QString strProgramName;
        bool bOnline = false;
        bool bEdited = false;
        bool bMutesKnown = false;
        std::array<bool, kOutputs> abMuted{};

        bool operator==(const Row&) const = default;
    };

    explicit CRackModel(QObject* pParent = nullptr);

    // One row per ID, in ID order; rows of IDs kept keep what they knew.
    void SetIds(const QList<int>& ids);
    QList<int> Ids() const;
    // The row of nId, or null.
    const Row* Find(int nId) const;
    // Changes the row of nId through fn and tells the views what changed;
    // nothing for an ID not in the rack.
    void Update(int nId, const std::function<void(Row&)>& fn);
    void SetLabel(int nId, const QString& strLabel);

    // The language flag of the column titles (model/ValueText.h).
    void SetLanguage(ELanguage eLanguage);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int nRole = Qt::DisplayRole) const override;
    QVariant headerData(int nSection, Qt::Orientation orientation, int nRole = Qt::DisplayRole) const override;

private:
    QString Text(const Row& row, int nColumn) const;

    std::vector<Row> m_rows;
    ELanguage m_eLanguage;
};
