#include "app/WindowMemory.h"

#include "app/OrvanDlgDlg.h"
#include "model/Audio_Data.h"
#include "model/DataDefine.h"
#include "model/ValueText.h"
#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWindow>

namespace
{
// Keys of the settings file; renaming one forgets what users had.
constexpr const char* kGeometry = "window/geometry";
constexpr const char* kScreen = "window/screen";
constexpr const char* kPort = "link/port";
constexpr const char* kDeviceId = "link/deviceId";
constexpr const char* kLanguage = "editor/language";
constexpr const char* kCurves = "editor/curves";
constexpr const char* kSelected = "editor/selected";

QScreen* ScreenNamed(const QString& name)
{
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->name() == name)
            return screen;
    return nullptr;
}

// Sizes and centres the window on `screen` by the first-start rule.
void PlaceOnFirstStart(QWidget& window, QScreen* screen)
{
    if (screen == nullptr)
        return;
    // Before the first show the window system has not said how wide its
    // frame is; the one of an earlier show (or none) stands in, and the
    // window's showEvent corrects what is still off the screen.
    QMargins frame;
    if (window.windowHandle() != nullptr)
        frame = window.windowHandle()->frameMargins();
    window.setGeometry(WindowPlacement::FirstStartClient(screen->availableGeometry(), window.minimumSize(), frame));
}
}

CWindowMemory::CWindowMemory(QSettings& settings)
    : m_settings(settings)
{
}

void CWindowMemory::Restore(COrvanDlgDlg& window)
{
    const QVariant language = m_settings.value(QLatin1String(kLanguage));
    if (language.isValid() && (language.toInt() == kChinese || language.toInt() == kEnglish))
        window.SetLanguage(static_cast<ELanguage>(language.toInt()));

    const QString port = m_settings.value(QLatin1String(kPort)).toString();
    if (!port.isEmpty())
        window.Link().Session().SetPortName(port);
    const int deviceId = m_settings.value(QLatin1String(kDeviceId), 0).toInt();
    if (deviceId >= Frame::kFirstDeviceId && deviceId <= Frame::kLastDeviceId)
        window.Data().SetDeviceId(deviceId);

    if (m_settings.contains(QLatin1String(kCurves)))
    {
        std::vector<ChannelAddress> shown;
        for (const QVariant& code : m_settings.value(QLatin1String(kCurves)).toList())
            if (const auto address = ChannelAddress::FromCode(code.toInt()))
                shown.push_back(*address);
        window.ShowCurves(shown);
    }
    if (const auto selected = ChannelAddress::FromCode(m_settings.value(QLatin1String(kSelected), 0).toInt()))
        window.SelectChannel(*selected);

    // A geometry is only taken back on the screen it was saved on: on
    // another one it may lie anywhere, and Qt would only pull it onto the
    // nearest screen, at a size meant for a different one.
    const QByteArray geometry = m_settings.value(QLatin1String(kGeometry)).toByteArray();
    QScreen* screen = ScreenNamed(m_settings.value(QLatin1String(kScreen)).toString());
    if (geometry.isEmpty() || screen == nullptr || !window.restoreGeometry(geometry))
        PlaceOnFirstStart(window, QGuiApplication::primaryScreen());
}

std::vector<ChannelAddress> CWindowMemory::ShownCurves(const CAudio_Data& record)
{
    std::vector<ChannelAddress> shown;
    for (int column = 0; column < Frame::kChannelCount; ++column)
        if (record.Channel(column).IsCurveShown())
            shown.push_back(ChannelAddress::FromColumn(column));
    return shown;
}

void CWindowMemory::Save(const COrvanDlgDlg& window)
{
    m_settings.setValue(QLatin1String(kGeometry), window.saveGeometry());
    if (const QScreen* screen = window.screen())
        m_settings.setValue(QLatin1String(kScreen), screen->name());
    m_settings.setValue(QLatin1String(kPort), window.Link().Session().PortName());
    m_settings.setValue(QLatin1String(kDeviceId), window.Link().Record().GetDeviceId());
    m_settings.setValue(QLatin1String(kLanguage), window.GetLanguage());
    QVariantList curves;
    for (const ChannelAddress address : ShownCurves(window.Link().Record()))
        curves.push_back(address.Code());
    m_settings.setValue(QLatin1String(kCurves), curves);
    m_settings.setValue(QLatin1String(kSelected), window.Selector().Current().Code());
    m_settings.sync();
}
