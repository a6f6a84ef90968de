#pragma once

#include "model/Audio_Data.h"
#include "model/RecordField.h"

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <type_traits>

// A walk over the stored fields a record's visitor names: each test changes
// every field in turn and checks that one use of the visitor (the file, the
// linked copy, undo, the JSON view) sees the change exactly when the
// field's tags say it should. A field added to a visitor, or a use that
// lists fields by hand again, shows up there.
namespace RecordFieldWalk
{
// A record in the program record: a channel, or one of its bands (nBand).
// The crossover filters have the bands' fields; their type cannot change
// without damaging a file, so the bands stand for them.
struct Subject
{
    const char* name;
    bool bInput;
    int nChannel;
    int nBand = -1;
};

inline constexpr std::array<Subject, 4> kSubjects = {{
    {"input B", true, 1},
    {"output 3", false, 2},
    {"input B band 3", true, 1, 2},
    {"output 3 band 4", false, 2, 3},
}};

// Calls f with the subject's record in `data` (const or not).
template <class TData, class F>
void With(TData& data, const Subject& s, F&& f)
{
    const auto pick = [&](auto& channel) {
        if (s.nBand < 0)
            f(channel);
        else
            f(channel.GetBand(s.nBand));
    };
    if (s.bInput)
        pick(data.Input(s.nChannel));
    else
        pick(data.Output(s.nChannel));
}

// Calls f(field, value) for the n-th field the subject's visitor names.
template <class TData, class F>
void AtField(TData& data, const Subject& s, int n, F&& f)
{
    With(data, s, [&](auto& record) {
        int i = 0;
        std::remove_const_t<std::remove_reference_t<decltype(record)>>::VisitFields(
            [&](RecordField::Field field, auto& value) {
                if (i++ == n)
                    f(field, value);
            },
            record);
    });
}

inline int FieldCount(const Subject& s)
{
    const CAudio_Data data;
    int n = 0;
    With(data, s, [&](const auto& record) {
        std::remove_cvref_t<decltype(record)>::VisitFields([&](RecordField::Field, const auto&) { ++n; }, record);
    });
    return n;
}

// A value no record holds there from its construction.
inline void Bump(int& value)
{
    ++value;
}

inline void Bump(uint8_t& value)
{
    ++value;
}

inline void Bump(bool& value)
{
    value = !value;
}

inline void Bump(double& value)
{
    value += 0.25;
}

inline void Bump(CAudio_Channel::Name& name)
{
    name = {'W', 'a', 'l', 'k', 'e', 'd', '\0', '\0'};
}

// Changes the subject's n-th field and returns it.
inline RecordField::Field Change(CAudio_Data& data, const Subject& s, int n)
{
    RecordField::Field changed{};
    AtField(data, s, n, [&](RecordField::Field field, auto& value) {
        changed = field;
        Bump(value);
    });
    return changed;
}

inline std::string Text(int value)
{
    return std::to_string(value);
}

inline std::string Text(uint8_t value)
{
    return std::to_string(value);
}

inline std::string Text(double value)
{
    return std::to_string(std::bit_cast<uint64_t>(value));
}

inline std::string Text(const CAudio_Channel::Name& name)
{
    return std::string(name.begin(), name.end());
}

// The subject's n-th field as text, bit for bit, to compare two records.
inline std::string ValueText(const CAudio_Data& data, const Subject& s, int n)
{
    std::string text;
    AtField(data, s, n, [&](RecordField::Field, const auto& value) { text = Text(value); });
    return text;
}

inline std::string Describe(const Subject& s, RecordField::Field field)
{
    return std::string(s.name) + ", field " + field.name;
}
}
