// Draws every control in its states at 1x and 2x device-pixel ratio. With
// ORVAN_CONTROL_SHOTS set to a folder the pictures are saved there to be
// looked at; the test itself checks that each control drew something.
#include "controls/ControlPalette.h"
#include "controls/Fader.h"
#include "controls/LampMeter.h"
#include "controls/LockCombo.h"
#include "controls/NameEdit.h"
#include "controls/ToggleButton.h"
#include "model/ValueText.h"

#include <QDir>
#include <QGridLayout>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <set>

namespace
{
using EStyle = CToggleButton::EStyle;

class CGallery : public QWidget
{
public:
    explicit CGallery(ELanguage language)
    {
        QPalette look = palette();
        look.setColor(QPalette::Window, ControlPalette().cFaceShade.darker(150));
        setPalette(look);
        setAutoFillBackground(true);
        auto* grid = new QGridLayout(this);
        int column = 0;

        for (bool enabled : {true, false})
        {
            auto* fader = new CFader;
            fader->SetRange(0, 420);
            fader->SetPosition(enabled ? 120 : 300);
            fader->SetMargin(16);
            fader->SetMarks({{0, "+12"}, {120, "0"}, {240, "-12"}, {420, "-30"}});
            fader->setEnabled(enabled);
            fader->setFixedSize(60, 180);
            grid->addWidget(fader, 0, column++, 4, 1);
            m_controls << fader;
        }

        const struct
        {
            EStyle eStyle;
            QSize size;
        } buttons[] = {
            {EStyle::Mute, {32, 24}},   {EStyle::Select, {44, 22}}, {EStyle::Curve, {44, 26}},
            {EStyle::Route, {20, 20}},  {EStyle::RouteIndicator, {20, 20}}, {EStyle::Tick, {22, 22}},
            {EStyle::Caption, {44, 24}},
        };
        int row = 0;
        for (const auto& b : buttons)
        {
            int state = 0;
            for (auto [checked, enabled] : {std::pair{true, true}, {false, true}, {true, false}, {false, false}})
            {
                auto* button = new CToggleButton(b.eStyle);
                button->SetLanguage(language);
                button->SetChannel(QStringLiteral("CH%1").arg(state + 1));
                button->SetRow(QStringLiteral("A"));
                button->SetCaptions(QString::fromUtf8(FormatPolarity(0, language).c_str()),
                                    QString::fromUtf8(FormatPolarity(1, language).c_str()));
                button->SetPadlockWhenDisabled(true);
                button->SetCurveColour(QColor::fromHsv(state * 80, 200, 240));
                button->setChecked(checked);
                button->setEnabled(enabled);
                button->setFixedSize(b.size);
                grid->addWidget(button, row, column + state++);
                m_controls << button;
            }
            ++row;
        }
        column += 4;

        for (bool locked : {false, true})
        {
            auto* combo = new CLockCombo;
            combo->SetLanguage(language);
            combo->SetItems({"12dB/oct", "24dB/oct", "48dB/oct"});
            combo->SetCurrent(1);
            combo->SetLocked(locked);
            combo->setFixedSize(90, 22);
            grid->addWidget(combo, locked ? 1 : 0, column);

            auto* name = new CNameEdit;
            name->SetLanguage(language);
            name->SetName(QStringLiteral("Woofer"));
            name->SetLocked(locked);
            name->setFixedSize(90, 22);
            grid->addWidget(name, locked ? 3 : 2, column);
            m_controls << combo << name;
        }
        ++column;

        int level = 0;
        for (int value : {0, 3, 9, 11, 5, 16, 20, 26, 27})
        {
            auto* meter = new CLampMeter(level < 4 ? ELampStyle::Input : ELampStyle::Output);
            meter->SetLevel(value);
            meter->setFixedSize(10, 90);
            grid->addWidget(meter, 0, column + level++, 4, 1);
            m_controls << meter;
        }
    }

    QList<QWidget*> m_controls;
};

QImage Render(QWidget& widget, qreal ratio)
{
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    widget.render(&image);
    return image;
}

int Colours(const QImage& image)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

TEST(ControlShotTest, EveryControlDrawsAtEachRatio)
{
    const QString folder = qEnvironmentVariable("ORVAN_CONTROL_SHOTS");
    for (ELanguage language : {kChinese, kEnglish})
    {
        CGallery gallery(language);
        gallery.adjustSize();
        gallery.show();
        for (qreal ratio : {1.0, 2.0})
        {
            const QImage image = Render(gallery, ratio);
            EXPECT_EQ(image.size(), gallery.size() * ratio);
            if (!folder.isEmpty())
                image.save(QDir(folder).filePath(QStringLiteral("controls-%1-%2x.png")
                                                     .arg(language == kEnglish ? "en" : "zh")
                                                     .arg(ratio)));
            for (QWidget* control : gallery.m_controls)
            {
                const QImage one = Render(*control, ratio);
                EXPECT_GT(Colours(one), 2) << control->metaObject()->className() << " at " << ratio;
            }
        }
    }
}
}
