#include "controls/NameEdit.h"

#include "controls/ControlMath.h"
#include "controls/ControlPalette.h"
#include "controls/ControlsText.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>

namespace
{
QString Typable(const QString& text)
{
    QString kept;
    for (char32_t character : text.toUcs4())
        if (IsTypableNameChar(character))
            kept += QChar(char16_t(character));
    return kept;
}

// A key's text that would put an untypable character in. Control keys
// (Backspace, Enter, Escape) carry control characters and keep their work.
bool Refused(const QString& text)
{
    bool refused = false;
    for (char32_t character : text.toUcs4())
    {
        if (character < 0x20 || character == 0x7f)
            return false;
        refused = refused || !IsTypableNameChar(character);
    }
    return refused;
}
}

CNameEdit::CNameEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setMaxLength(kNameMaxChars);
    // Input methods exist to type what the field refuses.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setInputMethodHints(Qt::ImhLatinOnly | Qt::ImhNoPredictiveText);
    setAcceptDrops(false);
    const SControlPalette& colours = ControlPalette();
    QPalette look = palette();
    look.setColor(QPalette::Base, colours.cWell);
    look.setColor(QPalette::Text, colours.cText);
    look.setColor(QPalette::Disabled, QPalette::Text, colours.cMutedText);
    look.setColor(QPalette::Disabled, QPalette::Base, colours.cFaceShade);
    look.setColor(QPalette::Highlight, colours.cBorder);
    setPalette(look);
    connect(this, &QLineEdit::editingFinished, this, &CNameEdit::Commit);
    connect(this, &QLineEdit::textChanged, this, &CNameEdit::UpdateTexts);
    UpdateTexts();
}

void CNameEdit::SetName(const QString& name)
{
    m_szName = name;
    if (!m_bLocked)
        ShowState();
}

void CNameEdit::SetLocked(bool locked)
{
    m_bLocked = locked;
    setEnabled(!locked);
    ShowState();
}

void CNameEdit::SetLanguage(ELanguage language)
{
    m_eLanguage = language;
    if (m_bLocked)
        ShowState();
    UpdateTexts();
}

void CNameEdit::SetChannel(const QString& channel)
{
    m_szChannel = channel;
    UpdateTexts();
}

void CNameEdit::InsertTyped(const QString& text)
{
    if (m_bLocked || isReadOnly())
        return;
    const QString kept = Typable(text);
    if (!kept.isEmpty())
        insert(kept);
}

void CNameEdit::ShowState()
{
    setText(m_bLocked ? ControlsLockText(m_eLanguage) : m_szName);
    setModified(false);
}

void CNameEdit::Commit()
{
    if (m_bLocked || !isModified())
        return;
    setModified(false);
    m_szName = text();
    emit NameEdited(m_szName);
}

void CNameEdit::PasteTyped()
{
    InsertTyped(QGuiApplication::clipboard()->text());
}

void CNameEdit::UpdateTexts()
{
    const QString name = ControlsText(EControlsText::NameFieldName, m_eLanguage).arg(m_szChannel);
    setAccessibleName(name);
    setToolTip(ControlsToolTip(name, text(), m_eLanguage));
}

void CNameEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste))
    {
        PasteTyped();
        return;
    }
    if (Refused(event->text()))
    {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CNameEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString kept = Typable(event->commitString());
    if (kept == event->commitString() && event->preeditString().isEmpty())
        return QLineEdit::inputMethodEvent(event);
    QInputMethodEvent filtered;
    filtered.setCommitString(kept);
    QLineEdit::inputMethodEvent(&filtered);
}

void CNameEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    // The menu's own paste would bypass the filter.
    if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste")))
    {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this, &CNameEdit::PasteTyped);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}
