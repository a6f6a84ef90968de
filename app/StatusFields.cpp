#include "app/StatusFields.h"

#include "app/MainText.h"

namespace
{
// Texts from the processor are bytes, one character each.
QString FromBytes(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString OrNoValue(const QString& text, ELanguage language)
{
    return text.isEmpty() ? MainText(EMainText::NoValue, language) : text;
}
}

StatusFields BuildStatusFields(const StatusSource& source, ELanguage language)
{
    const QString none = MainText(EMainText::NoValue, language);
    StatusFields fields;
    fields.strName = FromBytes(source.strName);
    fields.strNumber = source.bProgramShown ? QString::number(source.nProgramNumber) : none;
    fields.strDeviceId = source.bProgramShown ? QString::number(source.nDeviceId) : none;
    fields.bOnline = source.bOnline;
    fields.strOnline = MainText(source.bOnline ? EMainText::Online : EMainText::Offline, language);
    // A port closed again says nothing about the processor any more.
    if (!source.bOnline)
    {
        fields.strModel = fields.strPort = fields.strFirmware = none;
        return fields;
    }
    fields.strModel = source.bTypeKnown
                          ? MainText(EMainText::ModelForm, language).arg(source.nInputs).arg(source.nOutputs)
                          : none;
    fields.strPort = OrNoValue(source.strPort, language);
    // The version is a fixed-width field, padded with spaces or NULs.
    fields.strFirmware = OrNoValue(FromBytes(source.strVersion).remove(QChar(0)).trimmed(), language);
    return fields;
}
