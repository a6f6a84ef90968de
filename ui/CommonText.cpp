#include "ui/CommonText.h"

#include "text/TextTable.h"

namespace
{
using TextPair = CTextPair<ECommonText>;
constexpr std::array kTexts{
    TextPair{ECommonText::Ok, "OK", "确定"},
    TextPair{ECommonText::OpenPortFirst, "Please open the COM-Port", "请打开串口"},
};
static_assert(InEnumOrder(kTexts), "texts must follow the order of ECommonText");
}

QString CommonText(ECommonText id, ELanguage language)
{
    return PickText(kTexts, id, language);
}
