#include "model/Audio_Data.h"
#include "model/LockState.h"
#include "model/ProgramBank.h"
#include "programs/ProgramCodec.h"
#include "tests/programs/SamplePrograms.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;

// Offsets in the file of a new program record, worked out from the layout:
// name "NULL" takes 5 bytes, the locks 32, an input record 379 (2 for its
// one-letter name, 17, 6 x 60), an output record 1057 (2, 35, 17 x 60).
constexpr size_t kLocksAt = 5;
constexpr size_t kInputAAt = 37;
constexpr size_t kInputSize = 379;
constexpr size_t kOutput1At = kInputAAt + 4 * kInputSize;  // 1553
constexpr size_t kOutputSize = 1057;
constexpr size_t kOutputFiltersAt = 37;                    // within an output record
constexpr size_t kFilterSize = 60;
constexpr size_t kNewProgramFileSize = 10009;
constexpr size_t kEmptyBankFileSize = 44550;

constexpr size_t OutputAt(int i)
{
    return kOutput1At + static_cast<size_t>(i) * kOutputSize;
}

Bytes Slice(const Bytes& bytes, size_t at, size_t n)
{
    return Bytes(bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at + n));
}

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Long(int32_t v)
{
    const auto u = static_cast<uint32_t>(v);
    return {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8), static_cast<uint8_t>(u >> 16),
            static_cast<uint8_t>(u >> 24)};
}

const Bytes kZeroGain = {0, 0, 0, 0, 0, 0, 0, 0};
const Bytes kWidth030 = {0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0xD3, 0x3F};
const Bytes kWidth022 = {0x29, 0x5C, 0x8F, 0xC2, 0xF5, 0x28, 0xCC, 0x3F};

// A new filter record: gain 0 dB and off, bandwidths 0.3 and 0.22 octave,
// Butterworth, slope 0.
Bytes NewFilterRecord(int type, int freq, int geqFreq, int sentFreq, int code)
{
    return Cat({Long(type), Long(freq), Long(geqFreq), Long(sentFreq), kZeroGain, Long(0), Long(1), kWidth030,
                kWidth022, Long(2), Long(0), Long(code)});
}

void ExpectSameLocks(const CLockState& a, const CLockState& b)
{
    EXPECT_EQ(a.m_abyFlags, b.m_abyFlags);
    EXPECT_EQ(a.m_abyFixed, b.m_abyFixed);
    EXPECT_EQ(a.GetPassword(), b.GetPassword());
}

Bytes SampleProgramFile()
{
    CAudio_Data program;
    CLockState locks;
    SamplePrograms::FillProgram(program, locks);
    return ProgramCodec::EncodeProgram(program, locks);
}

Bytes NewProgramFile()
{
    CAudio_Data program;
    return ProgramCodec::EncodeProgram(program, CLockState());
}

// A record being edited, with locks of its own, that a failed read must
// leave exactly as it is.
struct Editor
{
    CAudio_Data program;
    CLockState locks;

    Editor()
    {
        program.SetName("Editing");
        program.Input(1).SetGate(7);
        program.Output(3).SetGeqMode(1, 0);
        program.Output(3).GetBand(2).SetGainStep(450);
        locks.SetFlag(CLockState::kOutMute, true);
        locks.SetFixed(CLockState::kOutMute, true);
        locks.SetFlag(CLockState::kSysLoad, true);
        locks.SetPassword("zzzzzz");
    }

    Bytes Encoded() { return ProgramCodec::EncodeProgram(program, locks); }
};
}

TEST(ProgramFile, NewProgramIs10009BytesWithTheLaidOutFields)
{
    CAudio_Data program;
    CLockState locks;
    locks.SetFlag(CLockState::kInGain, true);
    locks.SetFlag(CLockState::kOutEq, true);
    locks.SetFlag(CLockState::kOutLink, true);
    locks.SetFlag(CLockState::kSysLoad, true);  // system locks are not part of a program
    locks.SetPassword("abc123");
    const Bytes file = ProgramCodec::EncodeProgram(program, locks);
    ASSERT_EQ(file.size(), kNewProgramFileSize);

    EXPECT_EQ(Slice(file, 0, 5), (Bytes{0x04, 'N', 'U', 'L', 'L'}));
    Bytes lockBytes(32, 0);
    lockBytes[0] = lockBytes[19] = lockBytes[25] = 1;
    EXPECT_EQ(Slice(file, kLocksAt, 32), lockBytes);

    // Input A: name, on, polarity, delay, gain 300, gate active, spare,
    // parameter code 1, channel code 1; then its first band at 20 Hz.
    EXPECT_EQ(Slice(file, kInputAAt, 19),
              Cat({{0x01, 'A', 0x01, 0x00}, Long(0), Long(300), {0x00}, Long(0), {0x01, 0x01}}));
    EXPECT_EQ(Slice(file, kInputAAt + 19, kFilterSize), NewFilterRecord(0, 20, 0, 20, 2));
    EXPECT_EQ(Slice(file, kInputAAt + kInputSize, 2), (Bytes{0x01, 'B'}));

    // Output 1: name, reserved, name code, on, gain, polarity, routing A,
    // delay, parameter code, parametric, threshold 600, attack 56, release
    // 500, limiter code 17, channel code 5; then band 1, a low shelf at 25 Hz.
    EXPECT_EQ(Slice(file, OutputAt(0), kOutputFiltersAt),
              Cat({{0x01, '1'}, Long(0), {0x00, 0x01}, Long(300), {0x00, 0x01}, Long(0), {0x01}, Long(0), Long(600),
                   Long(56), Long(500), {0x11, 0x05}}));
    EXPECT_EQ(Slice(file, OutputAt(0) + kOutputFiltersAt, kFilterSize), NewFilterRecord(1, 25, 25, 20, 2));
    // The last record of the file: output 8's low-pass filter.
    EXPECT_EQ(Slice(file, OutputAt(7) + kOutputFiltersAt + 15 * kFilterSize, kFilterSize),
              NewFilterRecord(3, 20, 0, 20, 18));
    EXPECT_EQ(Slice(file, kNewProgramFileSize - kFilterSize, kFilterSize), NewFilterRecord(4, 20000, 0, 20000, 18));
}

TEST(ProgramFile, BankOfEmptyNamesIs44550BytesAndSlotsFollowEachOther)
{
    CProgramBank bank;
    for (int i = 0; i < CProgramBank::kSlots; ++i)
        bank.GetAt(i).byLast = 0x77;  // never written
    EXPECT_EQ(ProgramCodec::EncodeBank(bank).size(), kEmptyBankFileSize);

    SamplePrograms::FillBank(bank);
    const Bytes file = ProgramCodec::EncodeBank(bank);
    // Slot 1 (empty name) is 1485 bytes; slot 2's name "Live%d" follows its image.
    EXPECT_EQ(Slice(file, 1472, 13), (Bytes{0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC}));
    EXPECT_EQ(Slice(file, 1485, 2), (Bytes{7, 8}));
    EXPECT_EQ(Slice(file, 1485 + 1472, 7), (Bytes{0x06, 'L', 'i', 'v', 'e', '%', 'd'}));
    EXPECT_EQ(Slice(file, 1485 + 1472 + 7, 2), (Bytes{0x12, 0x23}));
    // Slot 3 at 1485 + 1491, 12-character name; slot 4's 300-character name
    // takes the two-byte length form.
    EXPECT_EQ(Slice(file, 2976, 1), (Bytes{14}));
    EXPECT_EQ(Slice(file, 2976 + 1472, 1), (Bytes{12}));
    EXPECT_EQ(Slice(file, 4473 + 1472, 4), (Bytes{0xFF, 0x2C, 0x01, 'x'}));
}

TEST(ProgramFile, WriteReadWriteChangesNothing)
{
    CAudio_Data source;
    CLockState sourceLocks;
    SamplePrograms::FillProgram(source, sourceLocks);
    const Bytes first = ProgramCodec::EncodeProgram(source, sourceLocks);

    Editor editor;
    ASSERT_EQ(ProgramCodec::DecodeProgram(first, editor.program, editor.locks), ProgramFileError::kNone);
    EXPECT_EQ(editor.Encoded(), first);

    const CAudio_Data& read = editor.program;
    EXPECT_EQ(read.GetName(), "Mix %s 100%");
    EXPECT_EQ(read.Input(0).GetName(), "Overhead");
    EXPECT_EQ(read.Input(1).GetName(), "%d%n%s");
    EXPECT_EQ(read.Input(2).GetName(), "");
    EXPECT_EQ(read.Output(1).GetName(), "12345678");
    EXPECT_EQ(read.Input(0).IsOn(), 0);
    EXPECT_EQ(read.Input(0).GetSpare15(), -7);
    EXPECT_EQ(read.Output(0).m_nReserved, -1);

    // The gate threshold is not in the file.
    EXPECT_EQ(read.Input(0).GetGate(), 40);
    EXPECT_EQ(read.Input(1).GetGate(), 7);

    const CFilter& bypassed = read.Input(0).GetBand(0);
    EXPECT_EQ(bypassed.m_bBypass, 1);
    EXPECT_EQ(bypassed.GetGain(), 3.0);
    EXPECT_EQ(bypassed.GetGainStep(), 400);
    const CFilter& offAtZero = read.Input(0).GetBand(1);
    EXPECT_EQ(offAtZero.GetGain(), 0.0);
    EXPECT_EQ(offAtZero.m_bOff, 1);
    const CFilter& offWithGain = read.Input(0).GetBand(2);
    EXPECT_EQ(offWithGain.m_bOff, 1);
    EXPECT_EQ(offWithGain.GetGain(), -15.0);
    EXPECT_TRUE(offWithGain.IsInactive());

    // The graphic-EQ mode is switched before the bands are read.
    EXPECT_EQ(read.Output(0).GetGeqMode(), 1);
    EXPECT_EQ(read.Output(0).GetBand(4).IsGeq(), 1);
    EXPECT_EQ(read.Output(0).GetBand(4).GetGain(), 6.0);
    EXPECT_EQ(read.Output(0).GetBand(0).GetType(), CFilter::kParametric);
    EXPECT_EQ(read.Output(3).GetGeqMode(), 0);
    EXPECT_EQ(read.Output(3).GetBand(2).IsGeq(), 0);
    EXPECT_EQ(read.Output(0).GetHighPass().GetSentFreq(), 40);
    EXPECT_EQ(read.Output(0).GetHighPass().m_nFreq, 80);

    for (int i = 0; i < 8; ++i)
    {
        const CAudio_OutData& out = read.Output(i);
        EXPECT_EQ(out.IsParamChanged(), 0) << i;
        for (int k = 0; k < out.GetEQ().GetSize(); ++k)
            EXPECT_EQ(out.GetEQ().GetAt(k).IsChanged(), 0) << i << " " << k;
    }
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(read.Input(0).GetBand(k).IsChanged(), 0) << k;

    // Function locks come from the file and become fixed; system locks and
    // the password stay the editor's.
    for (int flag = 0; flag < CLockState::kFunctionFlags; ++flag)
    {
        EXPECT_EQ(editor.locks.IsLocked(flag), sourceLocks.IsLocked(flag)) << flag;
        EXPECT_EQ(editor.locks.IsFixed(flag), sourceLocks.IsLocked(flag)) << flag;
    }
    EXPECT_TRUE(editor.locks.IsLocked(9));
    EXPECT_TRUE(editor.locks.IsLocked(CLockState::kSysLoad));
    EXPECT_FALSE(editor.locks.IsLocked(CLockState::kSysSave));
    EXPECT_EQ(editor.locks.GetPassword(), "zzzzzz");
}

TEST(ProgramFile, BankWriteReadWriteChangesNothingAndKeepsTheLastBytes)
{
    CProgramBank source;
    SamplePrograms::FillBank(source);
    const Bytes first = ProgramCodec::EncodeBank(source);

    auto target = std::make_unique<CProgramBank>();
    for (int i = 0; i < CProgramBank::kSlots; ++i)
        target->GetAt(i).byLast = 0x5A;
    ASSERT_EQ(ProgramCodec::DecodeBank(first, *target), ProgramFileError::kNone);
    EXPECT_EQ(ProgramCodec::EncodeBank(*target), first);
    EXPECT_EQ(target->GetAt(4).strName, std::string("caf\xE9\0end", 7));
    EXPECT_EQ(target->GetAt(3).strName.size(), 300u);
    EXPECT_EQ(target->GetAt(29).abyImage, source.GetAt(29).abyImage);
    EXPECT_EQ(target->GetAt(29).abyInfo, source.GetAt(29).abyInfo);
    EXPECT_EQ(target->GetAt(29).byLast, 0x5A);
}

TEST(ProgramFile, EveryTruncatedProgramFileFailsAndLeavesTheEditorAlone)
{
    const Bytes file = SampleProgramFile();
    Editor editor;
    const Bytes before = editor.Encoded();
    const CLockState locksBefore = editor.locks;

    for (size_t n = 0; n < file.size(); ++n)
    {
        const auto error = ProgramCodec::DecodeProgram(std::span(file).first(n), editor.program, editor.locks);
        ASSERT_EQ(error, ProgramFileError::kTruncated) << n;
    }
    EXPECT_EQ(editor.Encoded(), before);
    ExpectSameLocks(editor.locks, locksBefore);
    EXPECT_EQ(editor.program.Input(1).GetGate(), 7);

    EXPECT_EQ(ProgramCodec::DecodeProgram(file, editor.program, editor.locks), ProgramFileError::kNone);
    EXPECT_EQ(editor.Encoded(), file);
}

TEST(ProgramFile, EveryTruncatedBankFileFailsAndLeavesTheBankAlone)
{
    CProgramBank source;
    SamplePrograms::FillBank(source);
    const Bytes file = ProgramCodec::EncodeBank(source);
    auto bank = std::make_unique<CProgramBank>();
    bank->GetAt(0).strName = "kept";
    const auto before = std::make_unique<CProgramBank>(*bank);

    for (size_t n = 0; n < file.size(); ++n)
    {
        ASSERT_EQ(ProgramCodec::DecodeBank(std::span(file).first(n), *bank), ProgramFileError::kTruncated) << n;
        ASSERT_TRUE(*bank == *before) << n;
    }
    EXPECT_EQ(ProgramCodec::DecodeBank(file, *bank), ProgramFileError::kNone);
}

TEST(ProgramFile, DamagedProgramFilesFailAndLeaveTheEditorAlone)
{
    struct Case
    {
        const char* what;
        size_t at;
        size_t erase;
        Bytes insert;
        ProgramFileError error;
    };
    const size_t output3Filters = OutputAt(2) + kOutputFiltersAt;
    const Case cases[] = {
        {"program name announces 2 GB", 0, 5, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, ProgramFileError::kTruncated},
        {"program name in wide characters", 0, 5, {0xFF, 0xFE, 0xFF, 0x01, 'N', 0x00}, ProgramFileError::kDamaged},
        {"input A name announces 256 MB", kInputAAt, 2, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x10},
         ProgramFileError::kTruncated},
        {"input B channel code", kInputAAt + kInputSize + 18, 1, {0x09}, ProgramFileError::kDamaged},
        {"output 8 channel code", OutputAt(7) + 36, 1, {0x00}, ProgramFileError::kDamaged},
        {"output 3 high-pass made parametric", output3Filters + 15 * kFilterSize, 1, {0x00},
         ProgramFileError::kDamaged},
        {"output 3 low-pass made a high-pass", output3Filters + 16 * kFilterSize, 1, {0x03},
         ProgramFileError::kDamaged},
        // Bytes 6 and 7 of input A band 1's gain: a NaN; then output 2 band 3's bandwidth: +infinity.
        {"NaN gain", kInputAAt + 19 + 16 + 6, 2, {0xF8, 0x7F}, ProgramFileError::kDamaged},
        {"infinite bandwidth", OutputAt(1) + kOutputFiltersAt + 2 * kFilterSize + 32, 8,
         {0, 0, 0, 0, 0, 0, 0xF0, 0x7F}, ProgramFileError::kDamaged},
    };
    const Bytes good = NewProgramFile();
    for (const Case& c : cases)
    {
        Bytes bad = good;
        bad.erase(bad.begin() + static_cast<long>(c.at), bad.begin() + static_cast<long>(c.at + c.erase));
        bad.insert(bad.begin() + static_cast<long>(c.at), c.insert.begin(), c.insert.end());

        Editor editor;
        const Bytes before = editor.Encoded();
        const CLockState locksBefore = editor.locks;
        EXPECT_EQ(ProgramCodec::DecodeProgram(bad, editor.program, editor.locks), c.error) << c.what;
        EXPECT_EQ(editor.Encoded(), before) << c.what;
        ExpectSameLocks(editor.locks, locksBefore);
    }
}

TEST(ProgramFile, AFileOfTheOtherKindIsRejected)
{
    CProgramBank bank;
    SamplePrograms::FillBank(bank);
    const Bytes bankFile = ProgramCodec::EncodeBank(bank);
    Editor editor;
    const Bytes before = editor.Encoded();
    EXPECT_NE(ProgramCodec::DecodeProgram(bankFile, editor.program, editor.locks), ProgramFileError::kNone);
    EXPECT_EQ(editor.Encoded(), before);

    const auto untouched = std::make_unique<CProgramBank>(bank);
    EXPECT_EQ(ProgramCodec::DecodeBank(SampleProgramFile(), bank), ProgramFileError::kTruncated);
    EXPECT_TRUE(bank == *untouched);
}

TEST(ProgramFile, ValuesAreTakenAsStoredAndTrailingBytesIgnored)
{
    Bytes file = NewProgramFile();
    file[kLocksAt + 2] = 7;
    const Bytes minusOne = Long(-1);
    std::copy(minusOne.begin(), minusOne.end(), file.begin() + kInputAAt + 4);  // input A delay
    // A longer name than any the program writes, with a NUL inside for output 1.
    file.erase(file.begin() + kInputAAt, file.begin() + kInputAAt + 2);
    const std::string longName = "\x0A" "ABCDEFGHIJ";
    file.insert(file.begin() + kInputAAt, longName.begin(), longName.end());
    const size_t output1 = OutputAt(0) + longName.size() - 2;
    file.erase(file.begin() + static_cast<long>(output1), file.begin() + static_cast<long>(output1) + 2);
    const Bytes nulName = {0x04, 'L', 0x00, 'R', 'x'};
    file.insert(file.begin() + static_cast<long>(output1), nulName.begin(), nulName.end());

    Bytes withTail = file;
    withTail.insert(withTail.end(), {'j', 'u', 'n', 'k'});

    CAudio_Data program;
    CLockState locks;
    ASSERT_EQ(ProgramCodec::DecodeProgram(withTail, program, locks), ProgramFileError::kNone);
    EXPECT_EQ(program.Input(0).GetDelay(), -1);
    EXPECT_EQ(locks.m_abyFlags[2], 7);
    EXPECT_EQ(locks.m_abyFixed[2], 7);
    EXPECT_EQ(program.Input(0).GetName(), "ABCDEFGH");
    EXPECT_EQ(program.Output(0).GetName(), "L");

    // Written back, the names are what the records now hold.
    CAudio_Data again;
    CLockState againLocks;
    const Bytes rewritten = ProgramCodec::EncodeProgram(program, locks);
    ASSERT_EQ(ProgramCodec::DecodeProgram(rewritten, again, againLocks), ProgramFileError::kNone);
    EXPECT_EQ(ProgramCodec::EncodeProgram(again, againLocks), rewritten);
    // "ABCDEFGH" takes 7 bytes more than "A"; "L" as many as "1".
    EXPECT_EQ(rewritten.size(), kNewProgramFileSize + 7);
}

// A reader that takes values as stored also takes the largest int as a
// shelf's slope, a band's type or a crossover's type and slope; the block
// bytes built from them keep the low bits (a sanitizer build catches an
// overflow on the way).
TEST(ProgramFile, LargestStoredValuesBuildBlocksWithTheirLowBits)
{
    constexpr int32_t kLargest = 2147483647;
    constexpr size_t kTypeAt = 0;
    constexpr size_t kXoverTypeAt = 48;
    constexpr size_t kSlopeAt = 52;
    const auto put = [](Bytes& file, size_t at, int32_t value) {
        const Bytes word = Long(value);
        std::copy(word.begin(), word.end(), file.begin() + static_cast<long>(at));
    };
    Bytes file = NewProgramFile();
    const size_t inputBand1 = kInputAAt + 19;
    const size_t outputBand1 = OutputAt(0) + kOutputFiltersAt;
    const size_t highPass = outputBand1 + 15 * kFilterSize;
    put(file, inputBand1 + kTypeAt, kLargest);
    put(file, inputBand1 + kSlopeAt, kLargest);
    put(file, outputBand1 + kTypeAt, CFilter::kLowShelf);
    put(file, outputBand1 + kSlopeAt, kLargest);
    put(file, highPass + kXoverTypeAt, kLargest);
    put(file, highPass + kSlopeAt, kLargest);

    CAudio_Data program;
    CLockState locks;
    ASSERT_EQ(ProgramCodec::DecodeProgram(file, program, locks), ProgramFileError::kNone);
    EXPECT_EQ(program.Output(0).GetEQ().GetAt(0).GetSlope(), kLargest);

    const auto input = program.Input(0).BuildBlock();
    const size_t inputBand = CAudio_InData::kBandOffset;
    EXPECT_EQ(Bytes(input.begin() + inputBand, input.begin() + inputBand + 4), (Bytes{0, 0, 0, 0}));
    const auto output = program.Output(0).BuildBlock();
    EXPECT_EQ(Bytes(output.begin() + 30, output.begin() + 32), (Bytes{0, 0}));
    const size_t outputBand = CAudio_OutData::kBandOffset;
    EXPECT_EQ(output[outputBand], CFilter::kLowShelf + 1);
    EXPECT_EQ(Bytes(output.begin() + outputBand + 1, output.begin() + outputBand + 4), (Bytes{0, 0, 0}));
}
