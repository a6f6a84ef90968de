#pragma once

#include <QString>

// Every text the main window shows, in English and Chinese (the link
// dialogs keep theirs in LinkText.h). The language flag (0 Chinese,
// 1 English, see DataDefine.h) picks the form.
enum class EMainText
{
    Title,
    MessageCaption,
    // command buttons
    Help,
    Program,
    Device,
    Interface,
    Lock,
    Report,
    Connection,
    // status fields
    NameLabel,
    NumberLabel,
    DeviceIdLabel,
    NoValue,
    // areas whose panels are still to come
    GraphArea,
    InputChannel,
    InputEq,
    OutputChannel,
    OutputEq,
    ChannelStrip,
    // messages
    HelpMissing,
    NotAvailable,
    OpenPortFirst,
    NoAnswer,
    // first lines of the version messages, and the second line of both
    DeviceOlder,
    SoftwareOlder,
    VersionHowTo,
};

QString MainText(EMainText id, int language);

// Name of the help file of a language, in the working directory.
QString HelpFileName(int language);
