#pragma once

// Values of a filter's type and crossover characteristic, as stored in the
// records, the blocks and the program files.

enum FilterType : int
{
    kFilterParametric = 0,
    kFilterLowShelf = 1,
    kFilterHighShelf = 2,
    kFilterHighPass = 3,
    kFilterLowPass = 4,
};

enum XoverType : int
{
    kXoverLinkwitzRiley = 0,
    kXoverBessel = 1,
    kXoverButterworth = 2,
};
