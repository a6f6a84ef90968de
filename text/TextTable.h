#pragma once

#include "model/ValueText.h"

#include <QString>

#include <array>
#include <cstddef>

// The shape every folder's text table takes. A folder lists each of its
// texts once, as a row of its own id enum with the English and the Chinese
// form, in the order of the enum, and answers through PickText:
//
//   enum class EFooText { Title, Apply };
//
//   using TextPair = CTextPair<EFooText>;
//   constexpr std::array kTexts{
//       TextPair{EFooText::Title, "Title", "标题"},
//       TextPair{EFooText::Apply, "Apply", "应用"},
//   };
//   static_assert(InEnumOrder(kTexts), "texts must follow the order of EFooText");
//
//   QString FooText(EFooText id, ELanguage language) { return PickText(kTexts, id, language); }
template <typename EId>
struct CTextPair
{
    EId id;
    const char* szEnglish;   // UTF-8
    const char* szChinese;   // UTF-8
};

// The form of a pair for the language flag (0 Chinese, 1 English).
inline QString PickText(const char* szEnglish, const char* szChinese, ELanguage language)
{
    return QString::fromUtf8(language == kEnglish ? szEnglish : szChinese);
}

// True when row i holds id i for every row, so that an id finds its row by
// index and no row is missing in the middle or listed twice.
template <typename EId, std::size_t N>
constexpr bool InEnumOrder(const std::array<CTextPair<EId>, N>& texts)
{
    for (std::size_t i = 0; i < N; ++i)
        if (static_cast<std::size_t>(texts[i].id) != i)
            return false;
    return true;
}

template <typename EId, std::size_t N>
QString PickText(const std::array<CTextPair<EId>, N>& texts, EId id, ELanguage language)
{
    const CTextPair<EId>& text = texts.at(static_cast<std::size_t>(id));
    return PickText(text.szEnglish, text.szChinese, language);
}
