#pragma once

#include <QWidget>

class CProcessorLink;
class QPushButton;

// Undo, redo and the A/B switch of the editor, side by side, with their
// keys (Ctrl+Z; Ctrl+Shift+Z and Ctrl+Y) working anywhere in the window
// that holds the bar. The buttons are enabled only when there is a step to
// take; the A/B caption names the side in use. The three share any width.
class CEditCommandBar : public QWidget
{
    Q_OBJECT

public:
    CEditCommandBar(CProcessorLink& link, QWidget* pParent);

    QPushButton* UndoButton() const { return m_pUndo; }
    QPushButton* RedoButton() const { return m_pRedo; }
    QPushButton* CompareButton() const { return m_pCompare; }

private:
    void Refresh();
    void ApplyLanguage();

    CProcessorLink& m_link;
    QPushButton* m_pUndo = nullptr;
    QPushButton* m_pRedo = nullptr;
    QPushButton* m_pCompare = nullptr;
};
