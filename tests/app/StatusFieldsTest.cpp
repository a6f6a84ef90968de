#include "model/ValueText.h"
#include "app/StatusFields.h"

#include <gtest/gtest.h>

namespace
{
StatusSource Online()
{
    StatusSource source;
    source.bOnline = true;
    source.bTypeKnown = true;
    source.bProgramShown = true;
    source.strName = "STAGE";
    source.nProgramNumber = 12;
    source.nDeviceId = 250;
    source.nInputs = 2;
    source.nOutputs = 6;
    source.strPort = QStringLiteral("COM3");
    source.strVersion = std::string("C-DV1.05");
    return source;
}

TEST(StatusFieldsTest, OnlineProcessorInBothLanguages)
{
    for (ELanguage language : {kChinese, kEnglish})
    {
        const StatusFields fields = BuildStatusFields(Online(), language);
        EXPECT_EQ(fields.strName, QStringLiteral("STAGE"));
        EXPECT_EQ(fields.strNumber, QStringLiteral("12"));
        EXPECT_EQ(fields.strDeviceId, QStringLiteral("250"));
        EXPECT_EQ(fields.strModel, QStringLiteral("2 x 6"));
        EXPECT_EQ(fields.strPort, QStringLiteral("COM3"));
        EXPECT_EQ(fields.strFirmware, QStringLiteral("C-DV1.05"));
        EXPECT_TRUE(fields.bOnline);
        EXPECT_EQ(fields.strOnline, language == kEnglish ? QStringLiteral("ONLINE") : QString::fromUtf8("在线"));
    }
}

// What is not known yet (or any more) reads NULL, never a stale or empty value.
TEST(StatusFieldsTest, UnknownValuesReadNull)
{
    const QString null = QStringLiteral("NULL");
    struct Case
    {
        const char* szWhat;
        void (*change)(StatusSource&);
        QString StatusFields::*field;
    };
    const Case cases[] = {
        {"type not answered yet", [](StatusSource& s) { s.bTypeKnown = false; }, &StatusFields::strModel},
        {"version not read yet", [](StatusSource& s) { s.strVersion.clear(); }, &StatusFields::strFirmware},
        {"version of padding only", [](StatusSource& s) { s.strVersion = std::string("  \0\0 ", 5); },
         &StatusFields::strFirmware},
        {"program not read yet", [](StatusSource& s) { s.bProgramShown = false; }, &StatusFields::strNumber},
        {"program not read yet", [](StatusSource& s) { s.bProgramShown = false; }, &StatusFields::strDeviceId},
        {"offline", [](StatusSource& s) { s.bOnline = false; }, &StatusFields::strModel},
        {"offline", [](StatusSource& s) { s.bOnline = false; }, &StatusFields::strPort},
        {"offline", [](StatusSource& s) { s.bOnline = false; }, &StatusFields::strFirmware},
    };
    for (const Case& c : cases)
    {
        StatusSource source = Online();
        c.change(source);
        EXPECT_EQ(BuildStatusFields(source, kEnglish).*(c.field), null) << c.szWhat;
    }

    StatusSource offline = Online();
    offline.bOnline = false;
    const StatusFields fields = BuildStatusFields(offline, kChinese);
    EXPECT_FALSE(fields.bOnline);
    EXPECT_EQ(fields.strOnline, QString::fromUtf8("离线"));
    // The record's name is shown whether or not a processor is there.
    EXPECT_EQ(fields.strName, QStringLiteral("STAGE"));
}

// Names and versions are bytes; one character each, trailing NULs dropped.
TEST(StatusFieldsTest, ByteTextsShowOneCharacterPerByte)
{
    StatusSource source = Online();
    source.strName = "CAF\xC9";
    source.strVersion = std::string("C-DV1.05\0\0", 10);
    const StatusFields fields = BuildStatusFields(source, kEnglish);
    EXPECT_EQ(fields.strName, QString::fromLatin1("CAF\xC9"));
    EXPECT_EQ(fields.strFirmware, QStringLiteral("C-DV1.05"));
}
}
