#pragma once

// What a stored field of a record is kept for.
//
// Each record names its stored fields once, in its field visitor
// (CFilter::VisitFields, CAudio_InData::VisitFields,
// CAudio_OutData::VisitFields), in program file order, each with its name
// and these tags. The program file (model/FileFields.h), the copy between
// linked channels, undo and A/B (session/EditState) and the JSON view
// (cli/ProgramJson) take the fields whose tag they need, so a field named
// there reaches every one of them.
//
// The device blocks are not built from the visitor: their layout has its
// own order, biases and derived words (the tables above BuildBlock).
namespace RecordField
{
enum Tag : unsigned
{
    // Program files hold it, and the JSON view of a file shows it.
    kFile = 1u << 0,
    // The record's identity (its channel code): a file must carry the
    // record's own and never changes it.
    kIdentity = 1u << 1,
    // Part of the settings the record holds, as opposed to its identity and
    // what it keeps only for sending: undo steps and the A/B sides keep it.
    kSetting = 1u << 2,
    // A linked channel takes it over from the member it follows.
    kLinked = 1u << 3,
    // The device block holds it but a single-program file does not: the
    // JSON view of a bank, whose channels come from blocks, shows it.
    kBlockOnly = 1u << 4,
};

// A channel's or a filter's sound: filed, kept by undo, and taken over by a
// linked member.
inline constexpr unsigned kSound = kFile | kSetting | kLinked;

// One field as a visitor names it; `name` is its name in the JSON view.
struct Field
{
    const char* name;
    unsigned tags;

    bool Has(unsigned tag) const { return (tags & tag) != 0; }
};

// Copies the fields tagged `tag` from one record to another of its kind.
template <class TRecord>
void Copy(const TRecord& src, TRecord& dst, unsigned tag)
{
    TRecord::VisitFields(
        [tag](Field field, const auto& from, auto& to) {
            if (field.Has(tag))
                to = from;
        },
        src, dst);
}
}
