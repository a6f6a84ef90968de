#include "model/ProgramBank.h"

#include "model/Archive.h"

void CProgramBank::WriteProgramBank(CArchive& ar) const
{
    for (const CImageSlot& slot : m_aSlots)
    {
        ar.WriteBytes(slot.abyImage);
        ar.WriteString(slot.strName);
        ar.WriteBytes(slot.abyInfo);
    }
}

void CProgramBank::ReadProgramBank(CArchive& ar)
{
    for (CImageSlot& slot : m_aSlots)
    {
        ar.ReadBytes(slot.abyImage);
        ar.ReadString(slot.strName);
        ar.ReadBytes(slot.abyInfo);
    }
}
