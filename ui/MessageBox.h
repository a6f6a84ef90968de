#pragma once

#include <QString>

#include <functional>

class QWidget;

// Every message box of the program is shown through here, so that all of
// them carry the one caption the main window sets for the current language.
class CMessageBox
{
public:
    enum class EIcon
    {
        Information,
        Warning,
        Critical,
    };

    using Presenter = std::function<void(QWidget* parent, const QString& caption,
                                         const QString& text, EIcon icon)>;

    static void SetCaption(const QString& caption);
    static QString Caption();

    // Shows `text` with the caption and an OK button, modal over the window
    // of `parent` (or the active window), in its look and centred on it, and
    // returns when the user has closed it.
    static void Show(QWidget* parent, const QString& text, EIcon icon = EIcon::Information);
    // A failure: the program's text as a warning, the system's reason (a
    // full disk, a missing permission) on a line of its own below it.
    static void ShowFailure(QWidget* parent, const QString& text, const QString& reason);

    // Replaces the way boxes are shown (tests record them rather than block
    // on a modal box). An empty presenter restores the modal box. Returns the
    // presenter that was in place.
    static Presenter SetPresenter(Presenter presenter);
};
