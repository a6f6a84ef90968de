#include "model/FileFields.h"

#include "model/Archive.h"
#include "model/ByteIo.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <type_traits>

template <class T>
void CFileFields::Exchange(RecordField::Field field, T& value)
{
    if (!field.Has(RecordField::kFile))
        return;
    T stored = value;
    if constexpr (std::is_same_v<T, uint8_t>)
        m_ar.ExchangeByte(stored);
    else if constexpr (std::is_same_v<T, int>)
        m_ar.ExchangeLong(stored);
    else
        m_ar.ExchangeDouble(stored);
    if (!field.Has(RecordField::kIdentity))
        value = stored;
    else if (stored != value)
        m_ar.MarkDamaged();
}

void CFileFields::operator()(RecordField::Field field, uint8_t& value)
{
    Exchange(field, value);
}

void CFileFields::operator()(RecordField::Field field, int& value)
{
    Exchange(field, value);
}

void CFileFields::operator()(RecordField::Field field, bool& value)
{
    int stored = value ? 1 : 0;
    Exchange(field, stored);
    if (field.Has(RecordField::kFile) && !field.Has(RecordField::kIdentity))
        value = stored != 0;
}

void CFileFields::operator()(RecordField::Field field, double& value)
{
    Exchange(field, value);
    if (field.Has(RecordField::kFile) && m_ar.IsLoading() && !std::isfinite(value))
        m_bAllFinite = false;
}

void CFileFields::operator()(RecordField::Field field, std::span<char> text)
{
    if (!field.Has(RecordField::kFile))
        return;
    std::string stored(text.begin(), std::find(text.begin(), text.end(), '\0'));
    m_ar.ExchangeString(stored);
    if (m_ar.IsLoading() && m_ar.IsOk())
        ByteIo::PutText(text, {reinterpret_cast<const uint8_t*>(stored.data()), stored.size()});
}
