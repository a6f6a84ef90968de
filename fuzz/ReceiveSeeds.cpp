// Writes the receive fuzzer's starting corpus: real answers of every kind.

#include "disk/AtomicFile.h"
#include "fuzz/ReceiveStream.h"

#include <cstdio>
#include <span>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s corpus-folder\n", argv[0]);
        return 2;
    }
    const auto seeds = ReceiveStream::Seeds();
    for (size_t i = 0; i < seeds.size(); ++i)
    {
        const std::string path = std::string(argv[1]) + "/answer" + std::to_string(i);
        const AtomicFile::Outcome outcome = AtomicFile::Write(path, std::as_bytes(std::span(seeds[i])));
        if (!outcome.Ok())
        {
            std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), outcome.strReason.c_str());
            return 1;
        }
    }
    return 0;
}
