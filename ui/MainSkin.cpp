#include "ui/MainSkin.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <utility>

const QColor CMainSkin::kWindow{0x1c, 0x21, 0x29};
const QColor CMainSkin::kBackgroundTop{0x23, 0x29, 0x33};
const QColor CMainSkin::kBackgroundBottom{0x16, 0x1a, 0x21};
const QColor CMainSkin::kPanel{0x2a, 0x31, 0x3d};
const QColor CMainSkin::kPanelBorder{0x41, 0x4c, 0x5c};
const QColor CMainSkin::kText{0xe4, 0xe9, 0xf0};
const QColor CMainSkin::kMutedText{0x8d, 0x99, 0xab};
const QColor CMainSkin::kAccent{0xf2, 0xa5, 0x3a};
const QColor CMainSkin::kAccentDark{0xc4, 0x7f, 0x1f};
const QColor CMainSkin::kField{0x0b, 0x0e, 0x13};
const QColor CMainSkin::kFieldText{0x7f, 0xd4, 0xff};
const QColor CMainSkin::kOn{0x56, 0xc9, 0x65};
const QColor CMainSkin::kOnDark{0x2f, 0x8f, 0x3c};
const QColor CMainSkin::kAlert{0xff, 0x5f, 0x56};
const QColor CMainSkin::kButtonTop{0x3d, 0x47, 0x57};
const QColor CMainSkin::kButtonBottom{0x2b, 0x32, 0x3e};
const QColor CMainSkin::kPlot{0x05, 0x07, 0x0a};
const QColor CMainSkin::kPlotGrid{0x1f, 0x2a, 0x36};

QString CMainSkin::StyleSheet()
{
    // The sheet is a resource; its names between at signs stand for the
    // colours above, which the painting code uses as well.
    QFile file(QStringLiteral(":/ui/MainSkin.qss"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QString sheet = QString::fromUtf8(file.readAll());
    const std::pair<const char*, QColor> colours[] = {
        {"@window@", kWindow},       {"@panel@", kPanel},   {"@border@", kPanelBorder},
        {"@text@", kText},           {"@muted@", kMutedText}, {"@accent@", kAccent},
        {"@accentDark@", kAccentDark}, {"@plot@", kPlot},   {"@field@", kField},
        {"@fieldText@", kFieldText}, {"@on@", kOn},         {"@onDark@", kOnDark},
        {"@buttonTop@", kButtonTop}, {"@buttonBottom@", kButtonBottom},
    };
    for (const auto& [name, colour] : colours)
        sheet.replace(QLatin1String(name), colour.name());
    return sheet;
}

namespace
{
class CWindowsOverStyler : public QObject
{
public:
    explicit CWindowsOverStyler(QWidget& window)
        : QObject(&window)
        , m_window(window)
        , m_strSheet(CMainSkin::StyleSheet())
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Polish)
        {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget != nullptr && widget->isWindow() && widget->parentWidget() != nullptr
                && widget->parentWidget()->window() == &m_window && widget->styleSheet().isEmpty())
                widget->setStyleSheet(m_strSheet);
        }
        return false;
    }

private:
    QWidget& m_window;
    QString m_strSheet;
};
}

void CMainSkin::StyleWindowsOver(QWidget& window)
{
    new CWindowsOverStyler(window);
}

void CMainSkin::PaintBackground(QPainter& painter, const QRect& client)
{
    QLinearGradient gradient(client.topLeft(), client.bottomLeft());
    gradient.setColorAt(0.0, kBackgroundTop);
    gradient.setColorAt(1.0, kBackgroundBottom);
    painter.fillRect(client, gradient);
}

QIcon CMainSkin::AppIcon()
{
    // A response curve on a dark tile, drawn rather than shipped as a file.
    QIcon icon;
    for (int size : {16, 32, 64})
    {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(kPanelBorder, size / 32.0));
        painter.setBrush(kPlot);
        painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1.0, size - 1.0), size / 6.0, size / 6.0);

        const double s = size;
        QPainterPath curve;
        curve.moveTo(0.12 * s, 0.70 * s);
        curve.cubicTo(0.35 * s, 0.70 * s, 0.35 * s, 0.25 * s, 0.50 * s, 0.25 * s);
        curve.cubicTo(0.65 * s, 0.25 * s, 0.65 * s, 0.55 * s, 0.88 * s, 0.55 * s);
        painter.setPen(QPen(kAccent, std::max(1.5, s / 12.0), Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(curve);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
