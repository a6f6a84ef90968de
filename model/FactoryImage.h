#pragma once

#include "model/ImageSlot.h"

#include <array>
#include <cstdint>

// The processor's factory default program, as the device image the
// processor holds after a reset. Used to delete programs and to reset the
// editor on disconnect.
const std::array<uint8_t, CImageSlot::kImageBytes>& FactoryDefaultImage();
