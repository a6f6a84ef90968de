#include "MessageBox.h"

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
