// Fonts for the raster surface, matched and rendered by Qt.
//
// The program names a face the way the real platform does: "Arial Bold" is a
// full name (family plus style), and a positive height asks for a character
// cell of that height. Qt does neither by itself, so the face name is split
// into family and weight here, and the pixel size is chosen so the cell
// (ascent plus descent) is the height asked for.
#pragma once

#include "platform/WindowSystem.h"
#include "platform/raster/GlyphSource.h"

#include <QFont>

#include <string>
#include <unordered_map>

namespace qv::qt {

struct QtFont {
    QFont font;
    TextMetrics metrics;
    std::unordered_map<std::string, GlyphRun> runs; // labels repeat, so each is rendered once
};

QFont MatchFont(const FontDescription& description);

class QtGlyphSource final : public GlyphSource {
public:
    Font SystemFont() override;
    TextMetrics Metrics(Font font) override;
    const GlyphRun& Render(Font font, std::string_view text) override;
};

QtGlyphSource& Glyphs();
QtFont* NewFont(const FontDescription& description);

} // namespace qv::qt
