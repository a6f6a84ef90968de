#pragma once

#include "session/EditState.h"

#include <QObject>

#include <cstddef>
#include <memory>
#include <vector>

class CAudio_Data;
class CLockState;
class CRecordNotice;

// Undo and redo over the program record.
//
// The history listens to the record notice, so every editor is covered
// without knowing of it: each notice that finds the record different from
// the last step makes a new step. Between BeginGroup and EndGroup the
// notices only wait, and EndGroup makes one step of everything that changed
// (a drag from press to release, a link copy, a graphic-mode Q change, an
// import). Undo and redo write the other side of a step back through
// CEditState::ApplyTo, so the pump sends only the sub-blocks that differ,
// and then tell every panel with a programLoaded notice.
class CEditHistory : public QObject
{
    Q_OBJECT

public:
    // Steps beyond this many are forgotten, oldest first.
    static constexpr size_t kMaxSteps = 200;

    // Tags a step so that replaying it can be heard (see stepReplayed).
    enum class ETag
    {
        Edit,
        SideSwitch,
    };

    CEditHistory(CAudio_Data& record, const CLockState& locks, CRecordNotice& notice, QObject* pParent = nullptr);
    ~CEditHistory() override;

    // Groups nest; only the outermost EndGroup makes the step.
    void BeginGroup();
    void EndGroup();
    bool InGroup() const { return m_nGroupDepth > 0; }

    bool CanUndo() const { return !m_steps.empty() && m_nNext > 0; }
    bool CanRedo() const { return m_nNext < m_steps.size(); }
    size_t UndoCount() const { return m_nNext; }
    size_t RedoCount() const { return m_steps.size() - m_nNext; }

    // False, with nothing changed, when there is no step to take.
    bool Undo();
    bool Redo();

    // Forgets every step; the record as it stands becomes the start.
    void Clear();

    // Writes `target` into the record as one step with `tag` (the A/B switch
    // does). False, with no step made, when the record already holds it.
    bool ApplyAsStep(const CEditState& target, ETag eTag);

    // The record as the last step (or Clear) left it.
    const CEditState& Baseline() const { return *m_pBaseline; }

signals:
    // Undo or redo availability may have changed.
    void changed();
    // A step with a tag other than Edit was undone (bUndo) or redone;
    // `leaving` is what the record held before.
    void stepReplayed(CEditHistory::ETag eTag, bool bUndo, const CEditState& leaving);

private:
    struct Step
    {
        std::shared_ptr<const CEditState> pBefore;
        std::shared_ptr<const CEditState> pAfter;
        ETag eTag = ETag::Edit;
    };

    // Makes a step of whatever changed since the baseline.
    void Commit(ETag eTag);
    void Replay(bool bUndo);

    CAudio_Data& m_record;
    const CLockState& m_locks;
    CRecordNotice& m_notice;
    std::shared_ptr<const CEditState> m_pBaseline;
    std::vector<Step> m_steps;
    size_t m_nNext = 0;  // steps [0, m_nNext) are done
    int m_nGroupDepth = 0;
    bool m_bReplaying = false;
};
