// Writes the fuzzer's starting corpus: valid files of both kinds, plain and
// with something unusual in every part of the layouts.

#include "Audio_Data.h"
#include "LockState.h"
#include "ProgramBank.h"
#include "ProgramCodec.h"
#include "SamplePrograms.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace
{
bool Save(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}
}

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s corpus-folder\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];

    CAudio_Data plain;
    CAudio_Data sample;
    CLockState locks;
    SamplePrograms::FillProgram(sample, locks);
    auto emptyBank = std::make_unique<CProgramBank>();
    auto sampleBank = std::make_unique<CProgramBank>();
    SamplePrograms::FillBank(*sampleBank);

    const bool ok = Save(folder + "/new.dia1C", ProgramCodec::EncodeProgram(plain, CLockState()))
                    && Save(folder + "/sample.dia1C", ProgramCodec::EncodeProgram(sample, locks))
                    && Save(folder + "/empty.dat1C", ProgramCodec::EncodeBank(*emptyBank))
                    && Save(folder + "/sample.dat1C", ProgramCodec::EncodeBank(*sampleBank));
    if (!ok)
    {
        std::fprintf(stderr, "cannot write the corpus into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
