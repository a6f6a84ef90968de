// Undo steps and A/B sides as the field visitors make them: every visited
// field of a channel and of a band, changed in turn.

#include "session/EditState.h"

#include "model/Audio_Data.h"
#include "model/LockState.h"
#include "tests/RecordFieldWalk.h"

#include <gtest/gtest.h>

#include <string>

using namespace RecordFieldWalk;

TEST(EditState, AStateKeepsEverySettingAndNothingElse)
{
    const CLockState locks;
    for (const Subject& s : kSubjects)
    {
        ASSERT_GT(FieldCount(s), 0) << s.name;
        for (int n = 0; n < FieldCount(s); ++n)
        {
            CAudio_Data record;
            const CEditState before = CEditState::Capture(record);
            const std::string plain = ValueText(record, s, n);
            const RecordField::Field field = Change(record, s, n);
            SCOPED_TRACE(Describe(s, field));
            const std::string changed = ValueText(record, s, n);
            const CEditState after = CEditState::Capture(record);
            if (!field.Has(RecordField::kSetting))
            {
                EXPECT_EQ(after, before);
                EXPECT_FALSE(before.ApplyTo(record, locks));
                EXPECT_EQ(ValueText(record, s, n), changed);
                continue;
            }
            EXPECT_NE(after, before);
            EXPECT_TRUE(before.ApplyTo(record, locks));
            EXPECT_EQ(ValueText(record, s, n), plain);
            EXPECT_TRUE(after.ApplyTo(record, locks));
            EXPECT_EQ(ValueText(record, s, n), changed);
        }
    }
}
