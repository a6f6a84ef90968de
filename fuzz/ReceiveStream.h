#pragma once

// The receive side of the link, run over one fuzzer input.
//
// An input is a series of reads, each a length byte followed by that many
// bytes (a short last read takes what is left). The reads go through the
// frame assembler as the engine's read loop takes them and every frame it
// accepts through the receive dispatcher, into a staging record, a lock
// state and the device-ID table. After each frame the rules of the receive
// side are checked: the frame is well formed, nothing outside the fields its
// kind may fill has changed, and what was filled is in range. A live image
// that is complete is folded into a record as the connection does. A broken
// rule aborts with its name.

#include <cstdint>
#include <span>
#include <vector>

namespace ReceiveStream
{
using Bytes = std::vector<uint8_t>;

void Check(std::span<const uint8_t> input);

// Cuts a line's bytes into reads of at most `piece` bytes in the input form.
Bytes AsReads(std::span<const uint8_t> line, size_t piece);

// Real answers of every kind the processor gives, each with its preamble,
// as the virtual processor gives them to the program's requests.
std::vector<Bytes> RealAnswers();

// Starting inputs: every answer alone, in pieces, and all in a row.
std::vector<Bytes> Seeds();
}
