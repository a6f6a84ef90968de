#include "serve/ServeEvents.h"

#include <array>

namespace
{
constexpr std::array<const char*, CServeEvents::kKinds> kWords{
    "meters", "param", "program", "programs", "locks", "connection", "transfer",
};
}

const char* CServeEvents::Word(EKind eKind)
{
    return kWords.at(static_cast<size_t>(eKind));
}

std::optional<CServeEvents::EKind> CServeEvents::KindOf(QStringView word)
{
    for (size_t i = 0; i < kWords.size(); ++i)
        if (word == QLatin1String(kWords[i]))
            return static_cast<EKind>(i);
    return std::nullopt;
}

void CServeEvents::Publish(EKind eKind, QJsonObject event)
{
    event.insert("type", QLatin1String(Word(eKind)));
    emit published(eKind, event);
}
