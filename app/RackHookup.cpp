#include "app/RackHookup.h"

#include <QAbstractButton>
#include <QShortcut>

CRackWindow* HookUpRack(CProcessorLink& link, QWidget& window, QAbstractButton& button,
                        CRackWindow::Connector connector)
{
    auto* rack = new CRackWindow(link, &window);
    rack->SetConnector(std::move(connector));
    QObject::connect(&button, &QAbstractButton::clicked, rack, [rack] {
        rack->show();
        rack->raise();
        rack->activateWindow();
    });
    auto* key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), &window);
    QObject::connect(key, &QShortcut::activated, &button, &QAbstractButton::click);
    return rack;
}
