#pragma once

#include "session/EditHistory.h"
#include "session/EditState.h"

#include <QObject>

#include <optional>

class CAudio_Data;

// Two complete settings of the editor, A and B, and the switch between
// them. The record always holds the side in use; the other side is kept
// here. The first switch copies A into B, so both start alike and the
// operator changes one of them. Switching writes the other side through
// the edit history, so the pump sends only what differs between the two
// sides and the switch is one undo step (undoing it switches back).
class CABCompare : public QObject
{
    Q_OBJECT

public:
    enum class ESide
    {
        A,
        B,
    };

    CABCompare(CAudio_Data& record, CEditHistory& history, QObject* pParent = nullptr);

    ESide Active() const { return m_eActive; }
    // True once the first switch made a B side.
    bool IsComparing() const { return m_oOther.has_value(); }

    // Puts the other side into the record.
    void Switch();
    // Back to A alone; the record keeps what it holds.
    void Clear();

    // True when the side not in use holds settings the record (and so the
    // processor) does not: clearing would lose them.
    bool HasUnsentSide() const;

signals:
    void changed();

private:
    void OnStepReplayed(CEditHistory::ETag eTag, const CEditState& leaving);
    void Toggle();

    CAudio_Data& m_record;
    CEditHistory& m_history;
    std::optional<CEditState> m_oOther;
    ESide m_eActive = ESide::A;
};
