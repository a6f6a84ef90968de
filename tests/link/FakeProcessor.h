#pragma once

#include "link/Command.h"
#include "model/FactoryImage.h"
#include "tests/link/FakePort.h"
#include "model/ImageSlot.h"

#include <functional>
#include <vector>

// The processor's side of the state read, played over a fake port.
namespace FakeLine
{
// The frames waiting in the engine's queue, head first.
inline std::vector<Bytes> QueuedFrames(const CCommand& command)
{
    std::vector<Bytes> frames;
    const CSendDataQueue& queue = command.Queue();
    for (int i = 0; i < queue.Count(); ++i)
        frames.push_back(queue.At(i).GetFrame());
    return frames;
}

inline Bytes DeviceItem(int item, Bytes payload)
{
    payload.resize(8, 0);
    return Answer(0xA8, 0, item, 0, payload);
}

// Answers whatever is at the head of the queue the way a processor with a
// factory live program would, until only level requests are left. tick
// sends the next head; lockSets are the live set and the fixed-lock set.
inline void AnswerStateRead(CFakePort& port, CCommand& command, const std::function<void()>& tick,
                            const std::vector<Bytes>& lockSets)
{
    const auto deliver = [&port](const Bytes& frame) { port.Deliver(Wire(frame)); };
    for (int n = 0; n < 200 && command.Count() > 0 && command.Head().GetFrame()[1] != 0xA6; ++n)
    {
        tick();
        const Bytes head = command.Head().GetFrame();
        const int type = head[1];
        const int program = head[3];
        const int item = head[4];
        const int block = head[5];
        if (type == 0xA8 && item == 7)
            deliver(DeviceItem(7, {'C', '-', 'D', 'V', '1', '.', '0', '5'}));
        else if (type == 0xA8)
            deliver(DeviceItem(item, {1}));
        else if (type == 0xA9)
            deliver(Answer(0xA9, program, 1, 0, lockSets.at(program == 0 ? 0 : 1)));
        else if (type == 0xA7)
            deliver(Answer(0xA7, program, 0, 1,
                           Bytes{'P', static_cast<uint8_t>('A' + program), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
        else if (type == 0xAD)
            deliver(Answer(0xAD, 0, 0, 1, Bytes(255, ' ')));
        else if (type == 0xA2)
        {
            const auto image = FactoryDefaultImage();
            const auto at = image.begin() + CImageSlot::BlockOffset(block);
            deliver(Answer(0xA2, 0, 1, block, Bytes(at, at + CImageSlot::BlockSize(block))));
        }
    }
}
}
