// Writes the receive fuzzer's starting corpus: real answers of every kind.

#include "ReceiveStream.h"

#include <cstdio>
#include <fstream>
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
        std::ofstream out(std::string(argv[1]) + "/answer" + std::to_string(i), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(seeds[i].data()), static_cast<std::streamsize>(seeds[i].size()));
        if (!out)
        {
            std::fprintf(stderr, "cannot write the corpus into %s\n", argv[1]);
            return 1;
        }
    }
    return 0;
}
