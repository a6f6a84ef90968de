#include "ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace
{
QString& CaptionStore()
{
    static QString caption;
    return caption;
}

CMessageBox::Presenter& PresenterStore()
{
    static CMessageBox::Presenter presenter;
    return presenter;
}

QMessageBox::Icon ToQtIcon(CMessageBox::EIcon icon)
{
    switch (icon)
    {
    case CMessageBox::EIcon::Warning:
        return QMessageBox::Warning;
    case CMessageBox::EIcon::Critical:
        return QMessageBox::Critical;
    case CMessageBox::EIcon::Information:
        break;
    }
    return QMessageBox::Information;
}
}

void CMessageBox::SetCaption(const QString& caption)
{
    CaptionStore() = caption;
}

QString CMessageBox::Caption()
{
    return CaptionStore();
}

void CMessageBox::Show(QWidget* parent, const QString& text, EIcon icon)
{
    if (const Presenter& presenter = PresenterStore())
    {
        presenter(parent, Caption(), text, icon);
        return;
    }
    // Owned by the window, not the control that asked: the box then takes
    // the window's look and opens centred on it.
    QWidget* owner = parent != nullptr ? parent->window() : QApplication::activeWindow();
    QMessageBox box(ToQtIcon(icon), Caption(), text, QMessageBox::Ok, owner);
    box.exec();
}

void CMessageBox::ShowFailure(QWidget* parent, const QString& text, const QString& reason)
{
    Show(parent, reason.isEmpty() ? text : text + QLatin1Char('\n') + reason, EIcon::Warning);
}

CMessageBox::Presenter CMessageBox::SetPresenter(Presenter presenter)
{
    Presenter previous = std::move(PresenterStore());
    PresenterStore() = std::move(presenter);
    return previous;
}
