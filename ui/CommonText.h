#pragma once

#include "model/ValueText.h"

#include <QString>

// Texts that windows of several folders show alike: a folder's own table
// holds only what that folder alone shows.
enum class ECommonText
{
    Ok,
    OpenPortFirst,
};

QString CommonText(ECommonText id, ELanguage language);
