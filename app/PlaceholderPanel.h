#pragma once

#include <QFrame>

class QLabel;

// Holds the place of a panel that is not built yet: a framed area with its
// title and a note, so the window shows its full layout from the start.
class CPlaceholderPanel : public QFrame
{
    Q_OBJECT

public:
    enum class EStyle
    {
        Panel,  // a framed panel
        Plot,   // the black plot of the response graph, with a grid
    };

    CPlaceholderPanel(EStyle style, QWidget* parent);

    void SetTitle(const QString& title);
    void SetNote(const QString& note);
    QString Title() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    EStyle m_eStyle;
    QLabel* m_pTitle;
    QLabel* m_pNote;
};
