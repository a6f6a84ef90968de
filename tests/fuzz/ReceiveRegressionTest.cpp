// Replays the receive fuzzer's seeds and every input it ever found fault
// with; a broken rule aborts the test.

#include "wire/Frame.h"
#include "fuzz/ReceiveStream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace
{
using Bytes = ReceiveStream::Bytes;

TEST(ReceiveStream, RealAnswersOfEveryKindAreWellFormed)
{
    const auto answers = ReceiveStream::RealAnswers();
    std::set<int> types;
    for (const Bytes& answer : answers)
    {
        ASSERT_GT(answer.size(), size_t{2 + Frame::kOverhead});
        EXPECT_TRUE(Frame::Verify(std::span(answer).subspan(2)));
        types.insert(answer[2 + Frame::kOffType]);
    }
    // acknowledgement, block, levels, name, device item, information, lock data, image
    EXPECT_EQ(types.size(), 8u);
}

TEST(ReceiveStream, SeedsKeepTheRules)
{
    for (const Bytes& seed : ReceiveStream::Seeds())
        ReceiveStream::Check(seed);
}

Bytes Answer(uint8_t type, uint8_t program, uint8_t item, uint8_t block, size_t payloadBytes, uint8_t fill = 0x7E)
{
    Frame::Header header;
    header.byType = type;
    header.byDeviceId = 1;
    header.byProgram = program;
    header.byItem = item;
    header.byBlock = block;
    const Bytes payload(payloadBytes, fill);
    Bytes line = {Frame::kStart, Frame::kStart};
    const Bytes frame = Frame::Build(header, payload);
    line.insert(line.end(), frame.begin(), frame.end());
    return line;
}

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Answers at the edges of what the fields allow, each checked by the rules.
TEST(ReceiveStream, AnswersAtTheEdgesKeepTheRules)
{
    using ReceiveStream::AsReads;
    const Bytes cases[] = {
        // The second live block with a whole image behind it: kept within the image.
        AsReads(Answer(Frame::kProgramImage, Frame::kLiveProgram, 0, Frame::kSecondBlock, Frame::kImageBytes), 255),
        // The last output block, longer than a block, and a block code past the last.
        AsReads(Answer(Frame::kBlockRead, 0, 1, Frame::kLastBlockCode, 400), 13),
        AsReads(Answer(Frame::kBlockRead, 0, 1, Frame::kLastBlockCode + 1, Frame::kOutputBlockBytes), 255),
        // Device IDs outside the table, and the names of programs that do not exist.
        AsReads(Cat({Answer(Frame::kDeviceItem, 0, Frame::kItemDeviceId, 0, 1, 0),
                     Answer(Frame::kDeviceItem, 0, Frame::kItemDeviceId, 0, 1, 251)}), 255),
        AsReads(Answer(Frame::kProgramName, Frame::kProgramNumbers, 0, 0, 40, 0x01), 255),
        // Empty payloads of every kind that reads one.
        AsReads(Cat({Answer(Frame::kLevels, 0, 0, 0, 0), Answer(Frame::kLockData, 0, Frame::kLockSetRead, 0, 0),
                     Answer(Frame::kSystemInfo, 0, Frame::kItemVersion, Frame::kWholeBlock, 0),
                     Answer(Frame::kDeviceItem, 0, Frame::kItemGenerator, 0, 0)}), 1),
        // Two answers in one read: the second goes with the first.
        AsReads(Cat({Answer(Frame::kLevels, 0, 0, 0, 12, 0xFF), Answer(Frame::kAck, 0, 0, 0, 8)}), 255),
    };
    for (const Bytes& input : cases)
        ReceiveStream::Check(input);
}

TEST(ReceiveStream, FoundInputsKeepTheRules)
{
    for (const auto& entry : std::filesystem::directory_iterator(ORVAN_RECEIVE_REGRESS))
    {
        if (entry.path().filename().string().starts_with('.'))
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const Bytes input{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        SCOPED_TRACE(entry.path().filename().string());
        ReceiveStream::Check(input);
    }
}
}
