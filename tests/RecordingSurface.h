// A drawing surface that remembers what was asked of it, for exact geometry:
// the polylines as their points, and the texts with their settings.
#pragma once

#include "platform/DrawingSurface.h"

#include <map>
#include <string>
#include <vector>

namespace qv::test {

struct RecordedStroke {
    Pen pen;
    RasterOp op = RasterOp::CopyPen;
    std::vector<Point> points; // the move-to point, then every line-to point
};

struct RecordedText {
    int x = 0;
    int y = 0;
    std::string text;
    Color color = kBlack;
    TextAlign align = TextAlign::LeftTop;
    Font font;
    bool systemFont = false;
};

class RecordingSurface final : public DrawingSurface {
public:
    std::vector<RecordedStroke> strokes;
    std::vector<RecordedText> texts;
    std::map<std::uintptr_t, TextMetrics> fontMetrics; // by font handle
    TextMetrics systemMetrics{16, 0, 8};
    Pen pen;
    bool stockPen = true;
    Font font;
    bool systemFont = true;
    RasterOp op = RasterOp::CopyPen;

    void SelectObject(Pen p) override {
        pen = p;
        stockPen = false;
    }
    void SelectObject(Font f) override {
        font = f;
        systemFont = false;
    }
    void SelectObject(StockObject object) override {
        if (object == StockObject::BlackPen) {
            pen = Pen{};
            stockPen = true;
        } else {
            font = Font{};
            systemFont = true;
        }
    }
    void SetROP2(RasterOp mode) override { op = mode; }
    void MoveToEx(int x, int y) override {
        position_ = {x, y};
        moved_ = true;
    }
    void LineTo(int x, int y) override {
        if (moved_ || strokes.empty()) {
            strokes.push_back({pen, op, {position_}});
            moved_ = false;
        }
        strokes.back().points.push_back({x, y});
        position_ = {x, y};
    }
    Point GetCurrentPositionEx() override { return position_; }
    void SetTextColor(Color color) override { textColor_ = color; }
    void SetTextAlign(TextAlign align) override { align_ = align; }
    void TextOutA(int x, int y, const char* text, int length) override {
        texts.push_back(
            {x, y, std::string(text, static_cast<std::size_t>(length)), textColor_, align_, font, systemFont});
    }
    TextMetrics GetTextMetricsA() override {
        if (systemFont) {
            return systemMetrics;
        }
        const auto found = fontMetrics.find(font.handle);
        return found != fontMetrics.end() ? found->second : TextMetrics{};
    }

    const RecordedText* FindText(const std::string& text) const {
        for (const RecordedText& t : texts) {
            if (t.text == text) {
                return &t;
            }
        }
        return nullptr;
    }

private:
    Point position_;
    bool moved_ = true;
    Color textColor_ = kBlack;
    TextAlign align_ = TextAlign::LeftTop;
};

} // namespace qv::test
