// The names of the catalogue's parameters and the service's token file.

#include "serve/ParamAddress.h"
#include "serve/ServeToken.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

#include <sys/stat.h>

TEST(ParamAddressTest, EveryAddressHasItsOwnPathThatResolvesBackToIt)
{
    const std::vector<ParamAddress> all = ParamAddresses::All(4, 8);
    std::set<std::string> paths;
    for (const ParamAddress& address : all)
    {
        const std::string path = ParamAddresses::Path(address);
        EXPECT_TRUE(paths.insert(path).second) << path << " twice";
        const auto back = ParamAddresses::Resolve(path);
        ASSERT_TRUE(back.has_value()) << path;
        EXPECT_TRUE(*back == address) << path;
    }
    EXPECT_EQ(ParamAddresses::Path({EParam::kOutBandGain, {2, 4}}), "outputs/3/bands/5/gain");
    EXPECT_EQ(ParamAddresses::Path({EParam::kOutRoute, {0, 3}}), "outputs/1/sources/4/route");
    EXPECT_EQ(ParamAddresses::Path({EParam::kGenLevel, {}}), "generator/level");
    EXPECT_EQ(ParamAddresses::Pattern(EParam::kInBandFreq), "inputs/{channel}/bands/{band}/freq");
}

TEST(ParamAddressTest, PathsOfNoParameterResolveToNothing)
{
    for (const char* pszPath : {"", "outputs", "outputs/3", "outputs/0/gain", "outputs/9/gain", "inputs/5/gain",
                                "outputs/3/bands/5", "outputs/3/bands/16/gain", "inputs/1/bands/7/gain",
                                "outputs/3/sources/1/gain", "outputs/3/bands/1/route", "outputs/3/gain/x",
                                "outputs/+3/gain", "outputs/3x/gain", "generator/1/level", "inputs/1/limiterAttack",
                                "outputs/3/bands/01/gain"})
        EXPECT_FALSE(ParamAddresses::Resolve(pszPath).has_value()) << pszPath;
}

TEST(ServeTokenTest, TheTokenIsMadeOnceOwnerOnlyAndReadBackAfterwards)
{
    QTemporaryDir dir;
    const QString strPath = dir.filePath("config/orvan/server-token");
    const ServeToken::Outcome first = ServeToken::LoadOrCreate(strPath);
    ASSERT_TRUE(first.strError.isEmpty()) << first.strError.toStdString();
    EXPECT_TRUE(first.bCreated);
    EXPECT_EQ(first.token.size(), 64);
    struct stat info{};
    ASSERT_EQ(::stat(QFile::encodeName(strPath).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    const ServeToken::Outcome again = ServeToken::LoadOrCreate(strPath);
    EXPECT_FALSE(again.bCreated);
    EXPECT_EQ(again.token, first.token);
    EXPECT_NE(ServeToken::LoadOrCreate(dir.filePath("other")).token, first.token);
}
