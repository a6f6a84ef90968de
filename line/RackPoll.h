#pragma once

#include "line/RackModel.h"
#include "model/Audio_Data.h"
#include "link/Receiver.h"

#include <QElapsedTimer>
#include <QObject>

#include <optional>
#include <vector>

class CProcessorLink;

// The rack's slow round-robin over the processors of a line while one of
// them is edited: for each other processor in turn its device type (online,
// model), once its firmware, its live program's name and, while nobody
// edits, its output mutes (one block read per output).
//
// Pacing stays the link's: the poll only offers a frame when the pump finds
// nothing of the editor's to send and the queue empty, in place of a level
// request, and at most one frame in kShareWhileEditing while the user edits
// (kShareIdle otherwise). An edit therefore waits behind a poll frame no
// longer than behind the level request it replaced; block reads, whose
// answers take five times as long on the line, wait until the editing stops.
// A processor that does not answer is shown offline after about 100 ms
// (CCommand::kAsideGiveUpTicks) and only its type is asked next round.
class CRackPoll : public QObject
{
    Q_OBJECT

public:
    static constexpr int kShareWhileEditing = 10;
    static constexpr int kShareIdle = 3;
    // An edit this recent means the user is editing.
    static constexpr int kEditingMs = 2000;

    // The model's rows are the rack; the edited processor's row follows the
    // link rather than the poll.
    CRackPoll(CProcessorLink& link, CRackModel& model, QObject* pParent = nullptr);
    ~CRackPoll() override;

    void Start();
    void Stop();
    bool IsRunning() const { return m_bRunning; }
    // Poll frames offered so far.
    qint64 FramesOffered() const { return m_nOffered; }

private:
    enum class EStep
    {
        kType,
        kVersion,
        kName,
        kMute,
    };

    std::optional<CSendData> NextFrame();
    bool UserEdits() const;
    // The row whose turn it is, moving past the edited one; none when the
    // rack has no other processor.
    const CRackModel::Row* Current();
    void NextProcessor();
    void Advance(const CRackModel::Row& row);
    void OnAnswered(const std::vector<uint8_t>& request, const CReceiver& answer, const CReceiver::Outcome& outcome);
    void OnGivenUp(const std::vector<uint8_t>& request);
    void ShowEdited();

    CProcessorLink& m_link;
    CRackModel& m_model;
    // Builds the poll's frames, addressed to the processor polled.
    CAudio_Data m_builder;
    // Reads an answered output block for its mute.
    CAudio_Data m_reader;
    bool m_bRunning = false;
    int m_nCursorId = 0;
    EStep m_eStep = EStep::kType;
    int m_nOutput = 0;
    qint64 m_nLastSent = 0;
    qint64 m_nOffered = 0;
    QElapsedTimer m_sinceEdit;
};
