#pragma once

#include "model/ValueText.h"

// Qt's own texts (the buttons of message boxes, the file dialogs) in the
// program's language: Qt's Chinese translation is installed for Chinese
// and removed for English.
namespace QtTranslation
{
// True when the texts now follow eLanguage; false when Qt's translation
// for it is not installed on this machine (Qt then speaks English).
bool Apply(ELanguage eLanguage);
}
