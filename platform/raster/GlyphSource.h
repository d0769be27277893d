// What the raster surface needs from the platform's fonts: metrics, and a
// coverage mask of a text's character cell.
#pragma once

#include "platform/DrawingSurface.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace qv {

struct GlyphRun {
    int width = 0;                      // the advance of the whole text
    int height = 0;                     // the font's cell height
    std::vector<std::uint8_t> coverage; // width * height, row by row, 255 is ink
};

class GlyphSource {
public:
    virtual ~GlyphSource() = default;
    virtual Font SystemFont() = 0;
    virtual TextMetrics Metrics(Font font) = 0;
    // The reference stays valid until the next call.
    virtual const GlyphRun& Render(Font font, std::string_view text) = 0;
};

} // namespace qv
