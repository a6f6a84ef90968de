#include "app/FilterImportMenu.h"

#include "app/MainText.h"
#include "editors/EditorsText.h"
#include "editors/FilterImportDlg.h"
#include "session/ProcessorLink.h"
#include "ui/ChannelSelector.h"

#include <QFileDialog>
#include <QMenu>

namespace
{
void ImportFilterSetInto(QWidget& panel, CProcessorLink& link, int channelCode)
{
    const ELanguage language = link.Notice().Language();
    QWidget* window = panel.window();
    const QString path = QFileDialog::getOpenFileName(window, MainText(EMainText::ImportFilterSet, language), QString(),
                                                      EditorsText(EEditorsText::ImportFileFilter, language));
    if (path.isEmpty())
        return;
    link.History().BeginGroup();
    ImportFilterSet(window, link, channelCode, path);
    link.History().EndGroup();
}
}

void InstallFilterImportMenu(QWidget& panel, CProcessorLink& link, const CChannelSelector& selector)
{
    panel.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&panel, &QWidget::customContextMenuRequested, &panel,
                     [&panel, &link, &selector](const QPoint& pos) {
                         QMenu menu(panel.window());
                         QAction* import =
                             menu.addAction(MainText(EMainText::ImportFilterSet, link.Notice().Language()));
                         if (menu.exec(panel.mapToGlobal(pos)) == import)
                             ImportFilterSetInto(panel, link, selector.Current().Code());
                     });
}
