// Colours of the program's palette as the toolkit takes them.
#pragma once

#include <QColor>
#include <cstdint>

namespace kvarn {

// Windows colour 0x00BBGGRR as a QColor.
QColor WinColour(uint32_t bgr);

}  // namespace kvarn
