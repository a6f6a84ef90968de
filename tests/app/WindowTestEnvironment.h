#pragma once

#include "ui/MessageBox.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <vector>

// What every main-window test needs around it: an empty working directory
// (the window creates its "MusicFile" folder there) and message boxes
// recorded instead of shown. Both are undone when it goes.
class CWindowTestEnvironment
{
public:
    struct ShownBox
    {
        QString strCaption;
        QString strText;
    };

    CWindowTestEnvironment()
        : m_strOldDir(QDir::currentPath())
    {
        m_bReady = m_dir.isValid() && QDir::setCurrent(m_dir.path());
        m_previous = CMessageBox::SetPresenter(
            [this](QWidget*, const QString& caption, const QString& text, CMessageBox::EIcon) {
                m_boxes.push_back({caption, text});
            });
    }

    ~CWindowTestEnvironment()
    {
        CMessageBox::SetPresenter(m_previous);
        QDir::setCurrent(m_strOldDir);
    }

    CWindowTestEnvironment(const CWindowTestEnvironment&) = delete;
    CWindowTestEnvironment& operator=(const CWindowTestEnvironment&) = delete;

    bool IsReady() const { return m_bReady; }
    QString Path() const { return m_dir.path(); }
    QString FilePath(const QString& name) const { return m_dir.filePath(name); }

    std::vector<ShownBox>& Boxes() { return m_boxes; }
    // The texts of the boxes shown so far, in order.
    std::vector<QString> Texts() const
    {
        std::vector<QString> texts;
        for (const ShownBox& box : m_boxes)
            texts.push_back(box.strText);
        return texts;
    }

private:
    QTemporaryDir m_dir;
    QString m_strOldDir;
    bool m_bReady = false;
    CMessageBox::Presenter m_previous;
    std::vector<ShownBox> m_boxes;
};
