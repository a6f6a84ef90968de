#include "model/Archive.h"
#include "model/FileFields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;

Bytes Stored(const std::string& text)
{
    CArchive ar;
    ar.WriteString(text);
    return ar.TakeBuffer();
}

Bytes Concat(Bytes head, const std::string& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}
}

TEST(Archive, NumbersAreLittleEndianAndReadBack)
{
    CArchive out;
    out.WriteByte(0xAB);
    out.WriteLong(0x11223344);
    out.WriteLong(-2);
    out.WriteDouble(0.3);
    out.WriteDouble(-40.0);
    const Bytes expected = {0xAB, 0x44, 0x33, 0x22, 0x11, 0xFE, 0xFF, 0xFF, 0xFF,
                            0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0xD3, 0x3F,
                            0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x44, 0xC0};
    ASSERT_EQ(out.GetBuffer(), expected);

    CArchive in(expected);
    uint8_t b = 0;
    int32_t l1 = 0, l2 = 0;
    double d1 = 0, d2 = 0;
    EXPECT_TRUE(in.ReadByte(b) && in.ReadLong(l1) && in.ReadLong(l2) && in.ReadDouble(d1) && in.ReadDouble(d2));
    EXPECT_EQ(b, 0xAB);
    EXPECT_EQ(l1, 0x11223344);
    EXPECT_EQ(l2, -2);
    EXPECT_EQ(d1, 0.3);
    EXPECT_EQ(d2, -40.0);
    EXPECT_TRUE(in.IsOk());
    EXPECT_EQ(in.GetRemaining(), 0u);
}

TEST(Archive, StringLengthFormsAtTheirBoundaries)
{
    struct Case
    {
        size_t n;
        Bytes prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {3, {0x03}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases)
    {
        std::string text(c.n, 'q');
        if (c.n > 0)
            text.front() = '%';
        const Bytes stored = Stored(text);
        ASSERT_EQ(stored.size(), c.prefix.size() + c.n) << c.n;
        EXPECT_EQ(Bytes(stored.begin(), stored.begin() + static_cast<long>(c.prefix.size())), c.prefix) << c.n;

        CArchive in(stored);
        std::string back;
        EXPECT_TRUE(in.ReadString(back)) << c.n;
        EXPECT_EQ(back, text) << c.n;
        EXPECT_EQ(in.GetRemaining(), 0u) << c.n;
    }
}

TEST(Archive, ReaderTakesLongerLengthFormsForShortStrings)
{
    for (const Bytes& prefix : {Bytes{0xFF, 0x03, 0x00}, Bytes{0xFF, 0xFF, 0xFF, 0x03, 0x00, 0x00, 0x00}})
    {
        const Bytes bytes = Concat(prefix, "abc");
        CArchive in(bytes);
        std::string text;
        EXPECT_TRUE(in.ReadString(text));
        EXPECT_EQ(text, "abc");
    }
}

TEST(Archive, BadStringsFailWithoutTouchingTheTarget)
{
    struct Case
    {
        const char* what;
        Bytes bytes;
        CArchive::Status status;
    };
    const Case cases[] = {
        {"empty", {}, CArchive::Status::kEndOfData},
        {"one byte short", Concat({0x04}, "abc"), CArchive::Status::kEndOfData},
        {"2-byte length cut", {0xFF, 0x10}, CArchive::Status::kEndOfData},
        {"4-byte length cut", {0xFF, 0xFF, 0xFF, 0x10, 0x00}, CArchive::Status::kEndOfData},
        // A damaged prefix announcing 4 GB must not be believed.
        {"4 GB announced", Concat({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "abc"), CArchive::Status::kEndOfData},
        {"wide characters", Concat({0xFF, 0xFE, 0xFF, 0x01}, "a\0"), CArchive::Status::kDamaged},
    };
    for (const Case& c : cases)
    {
        CArchive in(c.bytes);
        std::string text = "kept";
        EXPECT_FALSE(in.ReadString(text)) << c.what;
        EXPECT_EQ(text, "kept") << c.what;
        EXPECT_EQ(in.GetStatus(), c.status) << c.what;
    }
}

TEST(Archive, AFailedReadFailsEveryLaterOne)
{
    const Bytes bytes = {0x01, 0x02, 0x03, 0x04, 0x05};
    CArchive in(bytes);
    int32_t first = 0;
    double tooLong = 7.0;
    EXPECT_TRUE(in.ReadLong(first));
    EXPECT_FALSE(in.ReadDouble(tooLong));
    EXPECT_EQ(tooLong, 7.0);

    // The byte left over is not handed out after the failure.
    uint8_t b = 0x55;
    EXPECT_FALSE(in.ReadByte(b));
    EXPECT_EQ(b, 0x55);
    EXPECT_EQ(in.GetStatus(), CArchive::Status::kEndOfData);

    in.MarkDamaged();
    EXPECT_EQ(in.GetStatus(), CArchive::Status::kEndOfData);
}

// No filed field is a bool today; one that becomes one keeps the LONG the
// file has always held, and a field the file does not hold is left alone.
TEST(Archive, FileFieldsExchangeABoolAsALong)
{
    const RecordField::Field filed{"filed", RecordField::kFile};
    const RecordField::Field kept{"kept", RecordField::kSetting};
    CArchive out;
    bool yes = true, no = false, notFiled = true;
    CFileFields writer(out);
    writer(filed, yes);
    writer(filed, no);
    writer(kept, notFiled);
    const Bytes expected = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    ASSERT_EQ(out.GetBuffer(), expected);

    const Bytes stored = {0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    CArchive in(stored);
    bool first = false, second = true;
    CFileFields reader(in);
    reader(filed, first);
    reader(filed, second);
    reader(kept, notFiled);
    EXPECT_TRUE(in.IsOk());
    EXPECT_TRUE(first);
    EXPECT_FALSE(second);
    EXPECT_TRUE(notFiled);
}
