#pragma once

// Why reading or writing a program file failed. The user's message is
// chosen by the caller: every read failure is "File read Error", a write
// failure "MusicFile Write Error". After any failure the target of a read
// and the file of a write are as they were.
enum class ProgramFileError
{
    kNone,
    // Missing, not readable, or a read error.
    kCannotRead,
    // Far larger than any file of either kind can be.
    kTooLarge,
    // The file ends before its layout does.
    kTruncated,
    // The file holds what no file of this kind can hold.
    kDamaged,
    // Could not be created or written completely.
    kCannotWrite,
};
