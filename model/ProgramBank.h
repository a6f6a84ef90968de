#pragma once

#include "model/ImageSlot.h"

#include <array>

class CArchive;

// The 30 stored programs as the PC keeps them between the processor and the
// all-programs file: one image slot per program, index 0 = program 1.
//
// All-programs file: the 30 slots in order, each
//   device image   1472 BYTEs
//   program name   STRING
//   info bytes     12 BYTEs
// The slot's last byte is not part of the file.
class CProgramBank
{
public:
    static constexpr int kSlots = Frame::kStoredPrograms;

    CImageSlot& GetAt(int i) { return m_aSlots.at(static_cast<size_t>(i)); }
    const CImageSlot& GetAt(int i) const { return m_aSlots.at(static_cast<size_t>(i)); }

    void WriteProgramBank(CArchive& ar) const;
    // Fills the slots in order; a read that fails part-way leaves the
    // slots read so far changed, so read into a scratch bank first.
    void ReadProgramBank(CArchive& ar);

    bool operator==(const CProgramBank&) const = default;

private:
    std::array<CImageSlot, kSlots> m_aSlots{};
};
