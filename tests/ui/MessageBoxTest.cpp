#include "ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace
{
// The real box, not the recorder: it must carry the program's caption.
TEST(MessageBoxTest, ModalBoxCarriesTheCaption)
{
    CMessageBox::SetCaption(QString::fromUtf8("信息"));
    QString seenTitle;
    QString seenText;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
        {
            seenTitle = box->windowTitle();
            seenText = box->text();
            box->accept();
        }
    });
    closer.start(10);
    CMessageBox::Show(nullptr, QStringLiteral("text"));
    EXPECT_EQ(seenTitle, QString::fromUtf8("信息"));
    EXPECT_EQ(seenText, QStringLiteral("text"));
}

// Asked for by a control deep in a window, the box belongs to the window:
// it inherits the window's style sheet and stands centred on it.
TEST(MessageBoxTest, ModalBoxTakesTheWindowsLookAndOpensCentredOnIt)
{
    QWidget window;
    window.setStyleSheet(QStringLiteral("QMessageBox { background: #123456; }"));
    window.setGeometry(200, 150, 800, 500);
    auto* control = new QWidget(&window);
    window.show();
    QWidget* owner = nullptr;
    QPoint centre;
    QColor background;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); box && box->isVisible())
        {
            owner = box->parentWidget();
            centre = box->frameGeometry().center();
            background = box->palette().color(box->backgroundRole());
            box->accept();
        }
    });
    closer.start(10);
    CMessageBox::Show(control, QStringLiteral("text"));
    EXPECT_EQ(owner, &window);
    EXPECT_LE((centre - window.frameGeometry().center()).manhattanLength(), 2);
    EXPECT_EQ(background, QColor(0x12, 0x34, 0x56));
}

// Tests put a recorder in place and must be able to put back what was there.
TEST(MessageBoxTest, PresenterSeesCaptionAndTextAndIsHandedBack)
{
    CMessageBox::SetCaption(QStringLiteral("Information"));
    QString seen;
    CMessageBox::Presenter first = [&](QWidget*, const QString& caption, const QString& text, CMessageBox::EIcon icon) {
        seen = caption + QLatin1Char('|') + text + QLatin1Char('|') + QString::number(static_cast<int>(icon));
    };
    const CMessageBox::Presenter modal = CMessageBox::SetPresenter(first);
    CMessageBox::Show(nullptr, QStringLiteral("text"), CMessageBox::EIcon::Critical);
    EXPECT_EQ(seen, QStringLiteral("Information|text|2"));

    const CMessageBox::Presenter previous = CMessageBox::SetPresenter(modal);
    ASSERT_TRUE(previous);
    seen.clear();
    previous(nullptr, QStringLiteral("c"), QStringLiteral("t"), CMessageBox::EIcon::Information);
    EXPECT_EQ(seen, QStringLiteral("c|t|0"));
}
}
