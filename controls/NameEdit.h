#pragma once

#include "model/ValueText.h"

#include <QLineEdit>

// Channel name field: at most eight characters, and what a user types,
// pastes or composes with an input method is limited to printable ASCII, so
// that every typed character is one byte on the processor. A name set by
// the program is shown as it is (one character per stored byte). Locked, the
// field shows the lock text and is disabled.
class CNameEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit CNameEdit(QWidget* parent = nullptr);

    // Shows a stored name; it does not count as an edit.
    void SetName(const QString& name);
    QString Name() const { return m_szName; }

    void SetLocked(bool locked);
    bool IsLocked() const { return m_bLocked; }
    void SetLanguage(ELanguage language);
    // The channel ("CH3") the name belongs to, for its accessible name.
    void SetChannel(const QString& channel);

    // Puts text in as if typed or pasted: untypable characters are dropped.
    void InsertTyped(const QString& text);

signals:
    // The user changed the name and left the field (or pressed Enter).
    void NameEdited(const QString& name);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void Commit();
    void PasteTyped();
    void ShowState();
    void UpdateTexts();

    QString m_szName;
    QString m_szChannel;
    bool m_bLocked = false;
    ELanguage m_eLanguage = kChinese;
};
