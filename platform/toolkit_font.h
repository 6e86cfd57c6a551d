#pragma once
// The toolkit's font names and point sizes mapped onto installed faces and pixel heights, for
// the drawing surface and the window's controls alike.
#include <QFont>
#include <string_view>

namespace tarvelin {

// Character height in pixels of a font of `points` at 96 pixels per inch (8 -> 11, 10 -> 13),
// at least 1.
int PointsToPixels(int points);

// "arial" (any case) becomes its metric-compatible "Liberation Sans"; "MS Sans Serif", a narrow
// plain sans face, takes the same face, whose widths fit the fixed-size controls; any other
// name falls back to "Liberation Sans". Drawn without antialiasing
// so that glyph pixels are exactly the text colour.
QFont ToolkitFont(std::string_view name, int pixelHeight, bool bold);

}  // namespace tarvelin
