#pragma once

#include "model/RecordField.h"

#include <cstdint>
#include <span>

class CArchive;

// The program file form of a record's fields, as a visitor: each field
// tagged kFile is exchanged with the archive in the order visited, its
// form following its type:
//   uint8_t  BYTE
//   int      LONG
//   bool     LONG, 0 or 1; read, any nonzero number is yes
//   double   DOUBLE
//   char[n]  STRING of the bytes before the first NUL; read, cut at n
//            bytes and at its first NUL, NUL-padded
// An identity field (kIdentity) is written, and a read one that differs
// from the record's marks the file as damaged instead of changing it.
class CFileFields
{
public:
    explicit CFileFields(CArchive& ar)
        : m_ar(ar)
    {
    }

    void operator()(RecordField::Field field, uint8_t& value);
    void operator()(RecordField::Field field, int& value);
    void operator()(RecordField::Field field, bool& value);
    void operator()(RecordField::Field field, double& value);
    void operator()(RecordField::Field field, std::span<char> text);

    // False once a NaN or infinite double was read. No number this program
    // computes is one, so the record marks the file as damaged; it does so
    // after its last field, so that a file cut short in the same record
    // still reads as cut short.
    bool AllFinite() const { return m_bAllFinite; }

private:
    template <class T>
    void Exchange(RecordField::Field field, T& value);

    CArchive& m_ar;
    bool m_bAllFinite = true;
};
