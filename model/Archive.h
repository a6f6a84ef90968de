#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

static_assert(sizeof(int) == 4, "program files store int fields as 4-byte LONGs");

// The flat binary encoding of the program files: fields written one after
// the other, little-endian, with no tags, counts or header.
//
//   BYTE    1 byte, unsigned
//   LONG    4 bytes, signed two's complement
//   DOUBLE  8 bytes, IEEE 754 binary64
//   STRING  length n, then n bytes of text (no terminator):
//             n < 255        n as 1 byte
//             n < 65534      FF, n as 2 bytes
//             otherwise      FF FF FF, n as 4 bytes
//
// An archive either stores into a growing buffer or loads from a fixed one.
// Loading never throws and never reads outside its buffer: a read that
// cannot be satisfied leaves its target as it was, returns false and puts
// the archive into a failed state in which every further read fails too, so
// a record can read its fields one after the other and the caller checks
// the status once at the end.
class CArchive
{
public:
    enum class Status
    {
        kOk,
        // The buffer ends before the layout does (this includes a string
        // whose length reaches past the end).
        kEndOfData,
        // The bytes cannot belong to a file of this kind.
        kDamaged,
    };

    // An archive for storing.
    CArchive() = default;
    // An archive for loading `bytes`, which must outlive it.
    explicit CArchive(std::span<const uint8_t> bytes);

    bool IsStoring() const { return m_bStoring; }
    bool IsLoading() const { return !m_bStoring; }

    // ---- storing -------------------------------------------------------
    void WriteByte(uint8_t value);
    void WriteLong(int32_t value);
    void WriteDouble(double value);
    void WriteString(std::string_view text);
    void WriteBytes(std::span<const uint8_t> bytes);
    const std::vector<uint8_t>& GetBuffer() const { return m_abyOut; }
    std::vector<uint8_t> TakeBuffer() { return std::move(m_abyOut); }

    // ---- loading -------------------------------------------------------
    bool ReadByte(uint8_t& value);
    bool ReadLong(int32_t& value);
    bool ReadDouble(double& value);
    // Accepts the three length forms above; the 16-bit-character form that
    // the framework also knows (FF FE FF ...) is never written and is
    // reported as damage.
    bool ReadString(std::string& text);
    bool ReadBytes(std::span<uint8_t> out);

    // For content the layout allows but no file of this kind can hold.
    void MarkDamaged();
    Status GetStatus() const { return m_eStatus; }
    bool IsOk() const { return m_eStatus == Status::kOk; }
    size_t GetRemaining() const { return m_abyIn.size() - m_nPos; }

    // ---- either direction ----------------------------------------------
    // Writes the field when storing, reads it into the field when loading,
    // so a record states its layout once for both directions.
    void ExchangeByte(uint8_t& value);
    void ExchangeLong(int32_t& value);
    void ExchangeDouble(double& value);
    void ExchangeString(std::string& text);

private:
    // The next n bytes, or an empty span (and the end-of-data state) when
    // fewer remain.
    std::span<const uint8_t> Take(size_t n);
    uint32_t TakeUnsigned(size_t n);

    bool m_bStoring = true;
    std::vector<uint8_t> m_abyOut;
    std::span<const uint8_t> m_abyIn;
    size_t m_nPos = 0;
    Status m_eStatus = Status::kOk;
};
