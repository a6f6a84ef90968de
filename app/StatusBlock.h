#pragma once

#include <QFrame>

#include <array>

class CProcessorLink;
class QLabel;
class QLineEdit;
class QProgressBar;
struct StatusFields;

// The online lamp of the status block: drawn, with its state as the
// accessible name so that screen readers say what the colour shows.
class CStatusLamp : public QWidget
{
    Q_OBJECT

public:
    explicit CStatusLamp(QWidget* parent);

    void SetOn(bool on, const QString& text);
    bool IsOn() const { return m_bOn; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_bOn = false;
};

// The block beside the graph: the window's title, the program's and the
// processor's status fields, the online lamp and the transfer bar. It
// follows the link by itself (the record notice, the session state, the
// connection and the engine's transfers), as a panel does.
class CStatusBlock : public QFrame
{
    Q_OBJECT

public:
    // The link must outlive the block.
    CStatusBlock(const CProcessorLink& link, QWidget* parent);

    // NO. and DEVICE ID show the connection's values, or "NULL" (at start,
    // before a program has been read and after the connection has gone).
    void ShowProgram(bool shown);
    // Every field from the record, the link and the session state again.
    void Refresh();
    QProgressBar* Progress() const { return m_pProgress; }

private:
    void ApplyLanguage();
    void Show(const StatusFields& fields);

    enum EField
    {
        kName,
        kNumber,
        kDeviceId,
        kModel,
        kPort,
        kFirmware,
        kFieldCount,
    };

    QLabel* m_pTitle = nullptr;
    CStatusLamp* m_pLamp = nullptr;
    QLabel* m_pOnline = nullptr;
    std::array<QLabel*, kFieldCount> m_apLabel{};
    std::array<QLineEdit*, kFieldCount> m_apField{};
    QProgressBar* m_pProgress = nullptr;
    const CProcessorLink& m_link;
    bool m_bProgramShown = false;
};
