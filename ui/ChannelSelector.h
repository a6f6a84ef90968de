#pragma once

// Which channel the editor panels work on. One instance, owned by the main
// window and shared by reference with every panel, so a selection made on
// the channel strip is seen by all of them at once.
struct CChannelSelector
{
    int m_bInputSide = 1;   // 1: an input (A..D) is selected, 0: an output (1..8)
    int m_nChannel = 0;     // 0-based index on that side
};
