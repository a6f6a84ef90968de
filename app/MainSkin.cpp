#include "MainSkin.h"

#include "MainLayout.h"

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
const QColor CMainSkin::kButtonTop{0x3d, 0x47, 0x57};
const QColor CMainSkin::kButtonBottom{0x2b, 0x32, 0x3e};
const QColor CMainSkin::kPlot{0x05, 0x07, 0x0a};
const QColor CMainSkin::kPlotGrid{0x1f, 0x2a, 0x36};

QString CMainSkin::StyleSheet()
{
    // Object names and the "role" property select the parts; @names@ stand
    // for the colours above.
    QString sheet = QStringLiteral(R"(
QDialog#MainWindow {
    background: @window@;
}
QLabel {
    color: @text@;
}
QLabel#TitleLabel {
    color: @accent@;
    font-weight: bold;
    font-size: 9pt;
}
QLabel[role="fieldLabel"] {
    color: @muted@;
    font-size: 8pt;
    font-weight: bold;
}
QLineEdit[role="statusField"] {
    background: @field@;
    color: @fieldText@;
    border: 1px solid @border@;
    border-radius: 3px;
    padding: 2px 6px;
    font-family: "DejaVu Sans Mono";
    font-size: 10pt;
    selection-background-color: @border@;
}
QPushButton[role="command"] {
    color: @text@;
    font-weight: bold;
    font-size: 9pt;
    border: 1px solid @border@;
    border-radius: 4px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @buttonTop@, stop:1 @buttonBottom@);
}
QPushButton[role="command"]:hover {
    border-color: @accent@;
}
QPushButton[role="command"]:pressed {
    color: @window@;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @accent@, stop:1 @accentDark@);
}
QPushButton[role="command"]:focus {
    border-color: @fieldText@;
}
QPushButton#ConnectionButton:checked {
    color: @window@;
    border-color: @on@;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @on@, stop:1 @onDark@);
}
QProgressBar {
    background: @field@;
    border: 1px solid @border@;
    border-radius: 3px;
    height: 10px;
}
QProgressBar::chunk {
    border-radius: 2px;
    background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 @onDark@, stop:1 @accent@);
}
QFrame[role="panel"] {
    background: @panel@;
    border: 1px solid @border@;
    border-radius: 6px;
}
QFrame[role="plot"] {
    background: @plot@;
    border: 1px solid @border@;
    border-radius: 2px;
}
QLabel[role="areaTitle"] {
    color: @accent@;
    font-size: 8pt;
    font-weight: bold;
    background: transparent;
    border: none;
}
QLabel[role="areaNote"] {
    color: @muted@;
    font-size: 9pt;
    background: transparent;
    border: none;
}
QDialog[role="dialog"], QMessageBox {
    background: @panel@;
    border: 1px solid @border@;
}
QDialog[role="dialog"] QPushButton, QMessageBox QPushButton {
    color: @text@;
    font-weight: bold;
    border: 1px solid @border@;
    border-radius: 4px;
    padding: 4px 16px;
    min-width: 64px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @buttonTop@, stop:1 @buttonBottom@);
}
QDialog[role="dialog"] QPushButton:default, QMessageBox QPushButton:default {
    border-color: @accent@;
}
QDialog[role="dialog"] QPushButton:pressed, QMessageBox QPushButton:pressed {
    color: @window@;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @accent@, stop:1 @accentDark@);
}
QDialog[role="dialog"] QPushButton:disabled {
    color: @muted@;
}
QDialog[role="dialog"] QGroupBox {
    color: @text@;
}
QComboBox {
    background: @field@;
    color: @fieldText@;
    border: 1px solid @border@;
    border-radius: 3px;
    padding: 2px 6px;
    min-height: 20px;
    selection-background-color: @border@;
}
QComboBox:disabled {
    color: @muted@;
}
QComboBox QAbstractItemView {
    background: @field@;
    color: @fieldText@;
    selection-background-color: @accentDark@;
    selection-color: @window@;
}
QRadioButton {
    color: @text@;
}
QRadioButton:disabled {
    color: @muted@;
}
)");
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

void CMainSkin::PaintBackground(QPainter& painter, const QRect& client)
{
    QLinearGradient gradient(client.topLeft(), client.bottomLeft());
    gradient.setColorAt(0.0, kBackgroundTop);
    gradient.setColorAt(1.0, kBackgroundBottom);
    painter.fillRect(client, gradient);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kPanelBorder, 1));
    painter.setBrush(kPanel);
    painter.drawRoundedRect(QRectF(MainLayout::kStatusArea).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);

    // Accent rule under the title block of the status area.
    const QRect status = MainLayout::kStatusArea;
    painter.setPen(QPen(kAccent, 2));
    painter.drawLine(status.left() + 12, status.top() + 62, status.right() - 12, status.top() + 62);
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
