#pragma once

#include "model/ValueText.h"

#include <QComboBox>
#include <QStringList>

// Drop-down list that can be locked. It remembers the entry last selected
// while it was unlocked, by the program or by the user. Locked, it is
// disabled and holds the lock text as its single entry; unlocked, it shows
// its entries again and reselects the remembered one. The owner hears only
// of the user's choices (Chosen), never of its own SetCurrent.
class CLockCombo : public QComboBox
{
    Q_OBJECT

public:
    explicit CLockCombo(QWidget* parent = nullptr);

    // Replaces the entries (e.g. in another language). The remembered entry
    // stays, clamped to the new list; while locked they are kept for later.
    void SetItems(const QStringList& items);
    QStringList Items() const { return m_items; }

    // Selects entry `index` as the program's choice and remembers it.
    void SetCurrent(int index);
    // The remembered entry, also while locked (-1 when there is none).
    int Remembered() const { return m_nRemembered; }

    void SetLocked(bool locked);
    bool IsLocked() const { return m_bLocked; }

    // Language of the lock text.
    void SetLanguage(ELanguage language);

    // What the combo stands for, in the current language: accessible name
    // and tooltip.
    void SetCaption(const QString& caption);

    // The height of a combo box of the window's sheet (20 pixels inside, 2
    // of padding and 1 of border above and below), whether or not a sheet
    // styles it: it draws itself either way.
    static constexpr int kMinimumHeight = 26;

signals:
    void Chosen(int index);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Fill();
    void UpdateTexts();

    QStringList m_items;
    int m_nRemembered = -1;
    bool m_bLocked = false;
    ELanguage m_eLanguage = kChinese;
    QString m_szCaption;
};
