// The field visitors as the program file and the linked copy read them:
// every visited field of a channel and of a band, changed in turn.

#include "model/Archive.h"
#include "model/Audio_Data.h"
#include "model/LockState.h"
#include "tests/RecordFieldWalk.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using namespace RecordFieldWalk;

std::vector<uint8_t> Encode(CAudio_Data& program)
{
    CArchive ar;
    CLockState locks;
    program.Serialize(ar, locks);
    return ar.TakeBuffer();
}

CArchive::Status Decode(const std::vector<uint8_t>& bytes, CAudio_Data& program)
{
    CArchive ar(bytes);
    CLockState locks;
    program.Serialize(ar, locks);
    return ar.GetStatus();
}

// The subject in `target` takes over the subject in `source` as a linked
// channel (or band) does.
void CopyLinked(CAudio_Data& target, const CAudio_Data& source, const Subject& s)
{
    With(target, s, [&](auto& to) {
        With(source, s, [&](const auto& from) {
            if constexpr (std::is_same_v<std::remove_cvref_t<decltype(from)>, std::remove_cvref_t<decltype(to)>>)
            {
                if constexpr (std::is_same_v<std::remove_cvref_t<decltype(to)>, CFilter>)
                    to.CopyFrom(from);
                else
                    to.CopyLinkedSettings(from);
            }
        });
    });
}
}

TEST(RecordFields, TheFileCarriesEveryFileFieldAndNoOther)
{
    CAudio_Data plain;
    const std::vector<uint8_t> plainBytes = Encode(plain);
    for (const Subject& s : kSubjects)
    {
        ASSERT_GT(FieldCount(s), 0) << s.name;
        for (int n = 0; n < FieldCount(s); ++n)
        {
            CAudio_Data changed;
            const RecordField::Field field = Change(changed, s, n);
            SCOPED_TRACE(Describe(s, field));
            const std::vector<uint8_t> bytes = Encode(changed);
            if (!field.Has(RecordField::kFile))
            {
                EXPECT_EQ(bytes, plainBytes);
                continue;
            }
            EXPECT_NE(bytes, plainBytes);
            CAudio_Data read;
            const CArchive::Status status = Decode(bytes, read);
            if (field.Has(RecordField::kIdentity))
            {
                // A record never takes another channel's code from a file.
                EXPECT_EQ(status, CArchive::Status::kDamaged);
                continue;
            }
            EXPECT_EQ(status, CArchive::Status::kOk);
            EXPECT_EQ(ValueText(read, s, n), ValueText(changed, s, n));
        }
    }
}

TEST(RecordFields, ALinkedCopyTakesTheLinkedFieldsAndNoOther)
{
    const CAudio_Data plain;
    for (const Subject& s : kSubjects)
        for (int n = 0; n < FieldCount(s); ++n)
        {
            CAudio_Data source;
            const RecordField::Field field = Change(source, s, n);
            SCOPED_TRACE(Describe(s, field));
            CAudio_Data fromPlain;
            CAudio_Data fromChanged;
            CopyLinked(fromPlain, plain, s);
            CopyLinked(fromChanged, source, s);
            if (field.Has(RecordField::kLinked))
                EXPECT_EQ(ValueText(fromChanged, s, n), ValueText(source, s, n));
            else
                EXPECT_EQ(ValueText(fromChanged, s, n), ValueText(fromPlain, s, n));
        }
}
