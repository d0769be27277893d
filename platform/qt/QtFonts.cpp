#include "platform/qt/QtFonts.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

namespace qv::qt {

namespace {

constexpr int kSystemFontHeight = 16;

// Pixel size whose cell height is at most the height asked for.
void SizeToCell(QFont& font, int cellHeight) {
    int size = std::max(cellHeight, 1);
    font.setPixelSize(size);
    while (size > 1 && QFontMetrics(font).height() > cellHeight) {
        font.setPixelSize(--size);
    }
}

TextMetrics MeasureFont(const QFont& font) {
    const QFontMetrics metrics(font);
    return TextMetrics{metrics.height(), metrics.leading(), metrics.averageCharWidth()};
}

QtFont* MakeFont(const QFont& font) {
    auto* result = new QtFont{font, MeasureFont(font), {}};
    return result;
}

QtFont& FontOf(Font font) {
    return font.handle == 0 ? *reinterpret_cast<QtFont*>(Glyphs().SystemFont().handle)
                            : *reinterpret_cast<QtFont*>(font.handle);
}

} // namespace

QFont MatchFont(const FontDescription& description) {
    QString family = QString::fromLatin1(description.faceName);
    bool bold = description.weight >= 600;
    if (family.endsWith(QLatin1String(" Bold"))) {
        family.chop(5);
        bold = true;
    }
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    if (description.height > 0) {
        SizeToCell(font, description.height);
    } else if (description.height < 0) {
        font.setPixelSize(-description.height);
    } else {
        SizeToCell(font, kSystemFontHeight);
    }
    return font;
}

QtFont* NewFont(const FontDescription& description) { return MakeFont(MatchFont(description)); }

Font QtGlyphSource::SystemFont() {
    static QtFont* const systemFont = NewFont(FontDescription{kSystemFontHeight, 400, "Sans Serif"});
    return Font{reinterpret_cast<std::uintptr_t>(systemFont)};
}

TextMetrics QtGlyphSource::Metrics(Font font) { return FontOf(font).metrics; }

const GlyphRun& QtGlyphSource::Render(Font font, std::string_view text) {
    QtFont& qtFont = FontOf(font);
    auto [entry, fresh] = qtFont.runs.try_emplace(std::string(text));
    GlyphRun& run = entry->second;
    if (!fresh) {
        return run;
    }
    const QString string = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetrics metrics(qtFont.font);
    run.width = metrics.horizontalAdvance(string);
    run.height = metrics.height();
    if (run.width <= 0 || run.height <= 0) {
        run = GlyphRun{};
        return run;
    }
    QImage mask(run.width, run.height, QImage::Format_Alpha8);
    mask.fill(Qt::transparent);
    {
        QPainter painter(&mask);
        painter.setFont(qtFont.font);
        painter.setPen(Qt::black);
        painter.drawText(0, metrics.ascent(), string);
    }
    run.coverage.resize(static_cast<std::size_t>(run.width) * static_cast<std::size_t>(run.height));
    for (int y = 0; y < run.height; ++y) {
        const uchar* line = mask.constScanLine(y);
        std::copy(line, line + run.width, run.coverage.begin() + static_cast<std::ptrdiff_t>(y) * run.width);
    }
    return run;
}

QtGlyphSource& Glyphs() {
    static QtGlyphSource glyphs;
    return glyphs;
}

} // namespace qv::qt
