// The notice the panels listen to: one signal per real change, none for a
// value written again unchanged.

#include "session/RecordNotice.h"

#include "model/Audio_Data.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace
{
// What a catalogue setter does: write only a different value, and say so.
bool SetGain(CAudio_Channel& channel, int step)
{
    if (channel.GetGain() == step)
        return false;
    channel.SetGain(step);
    return true;
}

struct Heard
{
    explicit Heard(CRecordNotice& notice)
    {
        QObject::connect(&notice, &CRecordNotice::valueChanged,
                         [this](int code, EParam param) { values.emplace_back(code, param); });
        QObject::connect(&notice, &CRecordNotice::programLoaded, [this] { ++loads; });
        QObject::connect(&notice, &CRecordNotice::locksChanged, [this] { ++locks; });
        QObject::connect(&notice, &CRecordNotice::languageChanged, [this](int n) { languages.push_back(n); });
    }
    std::vector<std::pair<int, EParam>> values;
    int loads = 0;
    int locks = 0;
    std::vector<int> languages;
};
}

TEST(RecordNoticeTest, ApplyNotifiesOnceOnlyWhenTheSetterChangedTheValue)
{
    CRecordNotice notice;
    Heard heard(notice);
    CAudio_Data record;
    CAudio_OutData& output3 = record.Output(2);
    constexpr EParam kGainParam = EParam::kOutGain;

    EXPECT_TRUE(notice.Apply(output3.GetChannel(), kGainParam, [&] { return SetGain(output3, 250); }));
    EXPECT_FALSE(notice.Apply(output3.GetChannel(), kGainParam, [&] { return SetGain(output3, 250); }));
    EXPECT_FALSE(notice.Apply(output3.GetChannel(), kGainParam, {}));

    EXPECT_EQ(output3.GetGain(), 250);
    ASSERT_EQ(heard.values.size(), 1u);
    EXPECT_EQ(heard.values[0], std::make_pair(7, kGainParam));
    EXPECT_EQ(heard.loads + heard.locks, 0);
    EXPECT_TRUE(heard.languages.empty());
}

TEST(RecordNoticeTest, LanguageSwitchIsHeardOnlyWhenTheLanguageReallyChanges)
{
    CRecordNotice notice;
    Heard heard(notice);
    EXPECT_EQ(notice.Language(), kChinese);

    EXPECT_FALSE(notice.SetLanguage(kChinese));
    EXPECT_TRUE(notice.SetLanguage(kEnglish));
    EXPECT_FALSE(notice.SetLanguage(kEnglish));
    // Anything but English is Chinese, as the language flag has two values.
    EXPECT_TRUE(notice.SetLanguage(static_cast<ELanguage>(7)));

    EXPECT_EQ(heard.languages, (std::vector<int>{kEnglish, kChinese}));
    EXPECT_EQ(notice.Language(), kChinese);
    EXPECT_TRUE(heard.values.empty());
}
