#include "model/FactoryImage.h"

#include "model/ByteIo.h"
#include "model/ChannelAddress.h"
#include "wire/WireNumbers.h"

#include <span>

namespace
{
constexpr std::array<int, 6> kInputFreqs = {20, 80, 317, 1092, 5024, 20000};
// Band 13 is 6288 Hz in the processor's own defaults, not the 6300 Hz the
// editor's output records are built with.
constexpr std::array<int, 15> kOutputFreqs = {
    25, 40, 63, 100, 160, 250, 400, 630, 1000, 1600, 2500, 4000, 6288, 10000, 16000};

void PutBand(std::span<uint8_t> band, int type, int hz)
{
    band[0] = static_cast<uint8_t>(type);
    band[1] = 1;
    ByteIo::PutWord(band, 2, 30);
    ByteIo::PutWord(band, 4, hz);
    ByteIo::PutWord(band, 6, 401);
}

void PutCommon(std::span<uint8_t> block, char name)
{
    block[0] = static_cast<uint8_t>(name);
    block[8] = 2;                     // on
    block[9] = 1;                     // normal polarity
    ByteIo::PutWord(block, 10, 1);    // no delay
    ByteIo::PutWord(block, 12, 601);  // 0.0 dB
}

std::array<uint8_t, CImageSlot::kImageBytes> Build()
{
    CImageSlot slot;
    for (int i = 0; i < Frame::kInputCount; ++i)
    {
        auto block = slot.Block(ChannelAddress::Input(i).Code());
        PutCommon(block, static_cast<char>('A' + i));
        block[14] = 40;  // gate
        for (int k = 0; k < 6; ++k)
            PutBand(block.subspan(16 + Frame::kSubBlockBytes * k, Frame::kSubBlockBytes), 1, kInputFreqs[static_cast<size_t>(k)]);
    }
    for (int o = 0; o < Frame::kOutputCount; ++o)
    {
        auto block = slot.Block(ChannelAddress::Output(o).Code());
        PutCommon(block, static_cast<char>('1' + o));
        block[14] = 1;                      // input A
        block[15] = 1;                      // parametric EQ
        ByteIo::PutWord(block, 16, 601);    // limiter off
        ByteIo::PutWord(block, 18, 57);     // 50 ms attack
        ByteIo::PutWord(block, 20, 500);    // 500 ms release
        ByteIo::PutWord(block, 24, 20000);  // low-pass open
        block[26] = 3;
        block[27] = 1;
        ByteIo::PutWord(block, 28, 20);     // high-pass open
        block[30] = 3;
        block[31] = 1;
        for (int k = 0; k < 15; ++k)
        {
            const int type = k == 0 ? 2 : (k == 14 ? 3 : 1);
            PutBand(block.subspan(32 + Frame::kSubBlockBytes * k, Frame::kSubBlockBytes), type, kOutputFreqs[static_cast<size_t>(k)]);
        }
    }
    return slot.abyImage;
}
}

const std::array<uint8_t, CImageSlot::kImageBytes>& FactoryDefaultImage()
{
    static const auto image = Build();
    return image;
}
