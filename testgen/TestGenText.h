#pragma once

#include "model/ValueText.h"

#include <QString>

// Texts of the test generator controls, in both languages.
enum class ETestGenText
{
    Title,
    ToggleGenerator,
    ToggleInput,
    ToggleName,
    On,
    Off,
    OnOffName,
};

QString TestGenText(ETestGenText id, ELanguage language);
