#include "rack/RackChoices.h"

#include "line/LineText.h"
#include "line/NumberList.h"
#include "rack/RackText.h"
#include "wire/WireNumbers.h"

#include <QSettings>

#include <algorithm>

namespace
{
// A port name holds "/" and ":" (/dev/ttyUSB0, tcp://host:port), which a
// settings key would take for groups; percent-encoding keeps it one key.
QString PortGroup(const QString& strPort)
{
    return QStringLiteral("rack/labels/") + QString::fromLatin1(strPort.toUtf8().toPercentEncoding());
}
}

namespace RackChoices
{
QList<int> TargetIds(const QList<int>& selected, const QList<int>& all)
{
    QList<int> ids = selected.isEmpty() ? all : selected;
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

QString SwitchQuestion(int nId, bool bUnsentEdits, bool bUnsentSide, ELanguage eLanguage)
{
    if (!bUnsentEdits && !bUnsentSide)
        return {};
    QString strLost;
    if (bUnsentEdits)
        strLost = RackText(ERackText::UnsentEdits, eLanguage);
    if (bUnsentSide)
        strLost += (strLost.isEmpty() ? QString() : QStringLiteral(" ")) + RackText(ERackText::UnsentSide, eLanguage);
    return RackText(ERackText::SwitchAsk, eLanguage).arg(nId).arg(strLost);
}

std::optional<QList<int>> Outputs(const QString& strText)
{
    const std::optional<QList<int>> numbers = NumberList(strText, 1, Frame::kOutputCount);
    if (!numbers)
        return std::nullopt;
    QList<int> outputs;
    for (const int nOutput : *numbers)
        outputs << nOutput - 1;
    return outputs;
}

QString ProgressText(const QString& strOperation, int nId, int nIndex, int nCount, ELanguage eLanguage)
{
    return LineText(ELineText::Progress, eLanguage).arg(strOperation).arg(nId).arg(nIndex + 1).arg(nCount);
}

QString MuteChannel(int nId, int nOutput, ELanguage eLanguage)
{
    return RackText(ERackText::MuteChannel, eLanguage).arg(nId).arg(nOutput + 1);
}

QMap<int, QString> LoadLabels(QSettings& settings, const QString& strPort)
{
    QMap<int, QString> labels;
    settings.beginGroup(PortGroup(strPort));
    for (const QString& strKey : settings.childKeys())
    {
        bool bNumber = false;
        const int nId = strKey.toInt(&bNumber);
        if (bNumber && nId >= Frame::kFirstDeviceId && nId <= Frame::kLastDeviceId)
            labels.insert(nId, settings.value(strKey).toString());
    }
    settings.endGroup();
    return labels;
}

void SaveLabel(QSettings& settings, const QString& strPort, int nId, const QString& strLabel)
{
    settings.beginGroup(PortGroup(strPort));
    if (strLabel.isEmpty())
        settings.remove(QString::number(nId));
    else
        settings.setValue(QString::number(nId), strLabel);
    settings.endGroup();
    settings.sync();
}
}
