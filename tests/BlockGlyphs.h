// A glyph source with no font behind it: every character is a solid block of
// a fixed advance, so text pixels are predictable without a font library.
#pragma once

#include "platform/raster/GlyphSource.h"

#include <map>
#include <string>

namespace qv::test {

class BlockGlyphs final : public GlyphSource {
public:
    static constexpr int kAdvance = 6;
    static constexpr int kSystemHeight = 16;

    Font SystemFont() override { return Font{1}; }
    TextMetrics Metrics(Font font) override { return {Height(font), 0, kAdvance}; }
    const GlyphRun& Render(Font font, std::string_view text) override {
        run_ = GlyphRun{};
        run_.width = static_cast<int>(text.size()) * kAdvance;
        run_.height = Height(font);
        run_.coverage.assign(static_cast<std::size_t>(run_.width * run_.height), 0);
        for (int y = 2; y < run_.height - 2; ++y) {
            for (int x = 0; x < run_.width; ++x) {
                if (x % kAdvance != kAdvance - 1) {
                    run_.coverage[static_cast<std::size_t>(y * run_.width + x)] = 255;
                }
            }
        }
        return run_;
    }

private:
    // A font handle above 1 is its own cell height.
    static int Height(Font font) { return font.handle > 1 ? static_cast<int>(font.handle) : kSystemHeight; }
    GlyphRun run_;
};

} // namespace qv::test
