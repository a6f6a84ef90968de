// libFuzzer target for the receive side: arbitrary byte streams, cut into
// arbitrary reads, through the frame assembler and the receive dispatcher.
// The rules are in ReceiveStream.cpp; the sanitizers catch the rest.

#include "fuzz/ReceiveStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReceiveStream::Check(std::span(data, size));
    return 0;
}
