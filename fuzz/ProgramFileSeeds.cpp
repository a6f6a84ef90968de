// Writes the fuzzer's starting corpus: valid files of both kinds, plain and
// with something unusual in every part of the layouts.

#include "disk/AtomicFile.h"
#include "model/Audio_Data.h"
#include "model/LockState.h"
#include "model/ProgramBank.h"
#include "programs/ProgramCodec.h"
#include "tests/programs/SamplePrograms.h"

#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace
{
bool Save(const std::string& path, const std::vector<uint8_t>& bytes)
{
    const AtomicFile::Outcome outcome = AtomicFile::Write(path, std::as_bytes(std::span(bytes)));
    if (!outcome.Ok())
        std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), outcome.strReason.c_str());
    return outcome.Ok();
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
    return ok ? 0 : 1;
}
