#include "locks/LockDataDlg.h"

#include "ui/CommonText.h"
#include "model/LockItems.h"
#include "locks/LocksText.h"
#include "session/ProcessorLink.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
QLabel* MakeNote(ELocksText eText, ELanguage eLanguage, QWidget* pParent)
{
    auto* note = new QLabel(LocksText(eText, eLanguage), pParent);
    note->setWordWrap(true);
    note->setProperty("role", "lockNote");
    return note;
}
}

CLockDataDlg::CLockDataDlg(CProcessorLink& link, QWidget* pParent)
    : QDialog(pParent)
    , m_link(link)
    , m_selection(link.Locks())
{
    const ELanguage eLanguage = link.Notice().Language();
    setObjectName(QStringLiteral("LockWindow"));
    setProperty("role", "dialog");
    setWindowTitle(LocksText(ELocksText::LockTitle, eLanguage));

    auto* function = new QGroupBox(LocksText(ELocksText::FunctionGroup, eLanguage), this);
    auto* functionLayout = new QHBoxLayout(function);
    functionLayout->addWidget(MakeGroup(CLockSelection::kInputs, eLanguage));
    functionLayout->addWidget(MakeGroup(CLockSelection::kOutputs, eLanguage));

    auto* system = new QGroupBox(LocksText(ELocksText::SystemGroup, eLanguage), this);
    auto* systemLayout = new QVBoxLayout(system);
    systemLayout->addWidget(MakeGroup(CLockSelection::kSystem, eLanguage));

    auto* ok = new QPushButton(CommonText(ECommonText::Ok, eLanguage), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(16);
    grid->addWidget(function, 0, 0);
    grid->addWidget(system, 0, 1);
    auto* functionNote = MakeNote(ELocksText::FunctionNote, eLanguage, this);
    functionNote->setFixedWidth(440);
    auto* systemNote = MakeNote(ELocksText::SystemNote, eLanguage, this);
    systemNote->setFixedWidth(260);
    grid->addWidget(functionNote, 1, 0, Qt::AlignTop);
    grid->addWidget(systemNote, 1, 1, Qt::AlignTop);
    grid->addWidget(ok, 2, 1, Qt::AlignRight);

    Refresh();
}

QWidget* CLockDataDlg::MakeGroup(CLockSelection::EGroup eGroup, ELanguage eLanguage)
{
    auto* group = new QWidget(this);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(4, 4, 4, 4);
    if (eGroup != CLockSelection::kSystem)
    {
        const bool bInputs = eGroup == CLockSelection::kInputs;
        auto* heading = new QLabel(LocksText(bInputs ? ELocksText::InputHeading : ELocksText::OutputHeading, eLanguage),
                                   group);
        heading->setProperty("role", "lockHeading");
        layout->addWidget(heading);
    }
    for (int flag : CLockSelection::Flags(eGroup))
    {
        auto* box = new QCheckBox(QString::fromStdString(LockItems::Caption(flag, eLanguage)), group);
        box->setObjectName(QStringLiteral("LockBox%1").arg(flag));
        connect(box, &QCheckBox::clicked, this, [this, flag](bool bTicked) {
            m_selection.SetItem(flag, bTicked);
            Refresh();
        });
        m_boxes[flag] = box;
        layout->addWidget(box);
    }
    if (eGroup != CLockSelection::kSystem)
    {
        const bool bInputs = eGroup == CLockSelection::kInputs;
        auto* all = new QCheckBox(
            LocksText(bInputs ? ELocksText::SelectAllInputs : ELocksText::SelectAllOutputs, eLanguage), group);
        all->setObjectName(bInputs ? QStringLiteral("SelectAllInputs") : QStringLiteral("SelectAllOutputs"));
        connect(all, &QCheckBox::clicked, this, [this, eGroup](bool bTicked) {
            m_selection.SetAll(eGroup, bTicked);
            Refresh();
        });
        (bInputs ? m_pAllInputs : m_pAllOutputs) = all;
        layout->addSpacing(6);
        layout->addWidget(all);
    }
    layout->addStretch();
    return group;
}

void CLockDataDlg::Refresh()
{
    for (const auto& [flag, box] : m_boxes)
    {
        box->setChecked(m_selection.IsTicked(flag));
        box->setEnabled(m_selection.IsEnabled(flag));
    }
    for (auto eGroup : {CLockSelection::kInputs, CLockSelection::kOutputs})
    {
        QCheckBox* all = SelectAll(eGroup);
        all->setChecked(m_selection.IsAllTicked(eGroup));
        all->setEnabled(m_selection.IsSelectAllEnabled(eGroup));
    }
}

QCheckBox* CLockDataDlg::Box(int flag) const
{
    const auto found = m_boxes.find(flag);
    return found == m_boxes.end() ? nullptr : found->second;
}

QCheckBox* CLockDataDlg::SelectAll(CLockSelection::EGroup eGroup) const
{
    return eGroup == CLockSelection::kInputs ? m_pAllInputs : eGroup == CLockSelection::kOutputs ? m_pAllOutputs : nullptr;
}

void CLockDataDlg::accept()
{
    m_selection.ApplyTo(m_link.Locks());
    m_link.ApplyLocksEverywhere(true);
    QDialog::accept();
}
