#include "testgen/TestGenText.h"

#include "text/TextTable.h"

namespace
{
using TextPair = CTextPair<ETestGenText>;
constexpr std::array kTexts{
    TextPair{ETestGenText::Title, "Signal Generator CHE", "信号发生器CHE"},
    TextPair{ETestGenText::ToggleGenerator, "Signal Generator", "信号发生器"},
    TextPair{ETestGenText::ToggleInput, "Input", "输入"},
    TextPair{ETestGenText::ToggleName, "Signal generator or inputs", "信号发生器或输入"},
    // The button reads ON and OFF in either language.
    TextPair{ETestGenText::On, "ON", "ON"},
    TextPair{ETestGenText::Off, "OFF", "OFF"},
    TextPair{ETestGenText::OnOffName, "Signal generator on or off", "信号发生器开关"},
};
static_assert(InEnumOrder(kTexts), "texts must follow the order of ETestGenText");
}

QString TestGenText(ETestGenText id, ELanguage language)
{
    return PickText(kTexts, id, language);
}
