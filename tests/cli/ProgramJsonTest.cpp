// The JSON view as the field visitors make it: every visited field of a
// channel and of a band, changed in turn.

#include "cli/ProgramJson.h"

#include "model/Audio_Data.h"
#include "model/LockState.h"
#include "model/ProgramBank.h"
#include "tests/RecordFieldWalk.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace
{
using namespace RecordFieldWalk;

QString Key(const char* name)
{
    return QString::fromLatin1(name);
}

const char* Side(const Subject& s)
{
    return s.bInput ? "inputs" : "outputs";
}

// The object that shows the subject, within one program's JSON.
QJsonObject ObjectOf(const QJsonObject& program, const Subject& s)
{
    const QJsonObject channel = program[Key(Side(s))].toArray()[s.nChannel].toObject();
    return s.nBand < 0 ? channel : channel["bands"].toArray()[s.nBand].toObject();
}

// The program's JSON without the subject's member `name`.
QJsonObject Without(QJsonObject program, const Subject& s, const char* name)
{
    QJsonArray channels = program[Key(Side(s))].toArray();
    QJsonObject channel = channels[s.nChannel].toObject();
    if (s.nBand < 0)
    {
        channel.remove(Key(name));
    }
    else
    {
        QJsonArray bands = channel["bands"].toArray();
        QJsonObject band = bands[s.nBand].toObject();
        band.remove(Key(name));
        bands[s.nBand] = band;
        channel["bands"] = bands;
    }
    channels[s.nChannel] = channel;
    program[Key(Side(s))] = channels;
    return program;
}

// Program 1 of a bank whose slot 1 holds the record's blocks.
QJsonObject AsBankProgram(CAudio_Data& record)
{
    for (int i = 0; i < CAudio_InRoute::kCount; ++i)
        record.BuildInputBlockFrame(1, i);
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
        record.BuildOutputBlockFrame(1, i);
    CProgramBank bank;
    bank.GetAt(0) = record.GetImage();
    return ProgramJson::Bank(bank, 1)["programs"].toArray()[0].toObject();
}
}

TEST(ProgramJson, AProgramShowsEveryFileFieldUnderItsNameAndNoOther)
{
    const CLockState locks;
    const CAudio_Data plainRecord;
    const QJsonObject plain = ProgramJson::Program(plainRecord, locks);
    for (const Subject& s : kSubjects)
    {
        ASSERT_GT(FieldCount(s), 0) << s.name;
        for (int n = 0; n < FieldCount(s); ++n)
        {
            CAudio_Data record;
            const RecordField::Field field = Change(record, s, n);
            SCOPED_TRACE(Describe(s, field));
            const QJsonObject json = ProgramJson::Program(record, locks);
            if (!field.Has(RecordField::kFile))
            {
                EXPECT_EQ(json, plain);
                continue;
            }
            EXPECT_TRUE(ObjectOf(plain, s).contains(Key(field.name)));
            EXPECT_NE(ObjectOf(json, s)[Key(field.name)], ObjectOf(plain, s)[Key(field.name)]);
            EXPECT_EQ(Without(json, s, field.name), Without(plain, s, field.name));
        }
    }
}

TEST(ProgramJson, ABankShowsWhatItsBlocksHoldBeyondTheFile)
{
    CAudio_Data plainRecord;
    const QJsonObject plain = AsBankProgram(plainRecord);
    int nSeen = 0;
    for (const Subject& s : kSubjects)
        for (int n = 0; n < FieldCount(s); ++n)
        {
            CAudio_Data record;
            const RecordField::Field field = Change(record, s, n);
            if (!field.Has(RecordField::kBlockOnly))
                continue;
            SCOPED_TRACE(Describe(s, field));
            ++nSeen;
            const QJsonObject json = AsBankProgram(record);
            EXPECT_NE(ObjectOf(json, s)[Key(field.name)], ObjectOf(plain, s)[Key(field.name)]);
            EXPECT_FALSE(ObjectOf(ProgramJson::Program(record, CLockState()), s).contains(Key(field.name)));
        }
    EXPECT_GT(nSeen, 0);
}
