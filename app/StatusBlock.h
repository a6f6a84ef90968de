#pragma once

#include <QFrame>

#include <array>

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
// processor's status fields, the online lamp and the transfer bar.
class CStatusBlock : public QFrame
{
    Q_OBJECT

public:
    explicit CStatusBlock(QWidget* parent);

    void SetLanguage(int language);
    void Show(const StatusFields& fields);
    QProgressBar* Progress() const { return m_pProgress; }

private:
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
};
