#pragma once

#include "model/ValueText.h"

#include <span>
#include <string>

// The lock items as the lock window lists them: every flag that locks
// something, with the window's own item number (which for the inputs does
// not follow the bit order) and its name in both languages. The window, the
// command line and the parameter catalogue all name locks from here.
namespace LockItems
{
struct Item
{
    int nFlag;       // CLockState::Flag
    int nNumber;     // 1.. within its group, as the window numbers it
    const char* pszEnglish;
    const char* pszChinese;
};

// Input function locks, then output function locks, then system locks.
std::span<const Item> Items();
// The item of a flag; nullptr for a flag that locks nothing.
const Item* Find(int flag);
// "Gain" / "增益"; "" for a flag that locks nothing.
std::string Name(int flag, ELanguage language);
// The window's caption: "1.Gain" / "1、增益"; "" for a flag that locks nothing.
std::string Caption(int flag, ELanguage language);
}
