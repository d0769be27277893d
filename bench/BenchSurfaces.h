// Surfaces that exist only to be measured against the raster surface: one
// that drops text, one that records strokes for replay, and the library
// alternative, QPainter with raster-operation composition on a QImage.
#pragma once

#include "platform/raster/RasterSurface.h"

#include <QImage>
#include <QPainter>

#include <vector>

namespace qv::bench {

// Forwards everything but text, so a cycle draws its lines alone.
class LinesOnly final : public DrawingSurface {
public:
    explicit LinesOnly(DrawingSurface& inner) : inner_(inner) {}
    void SelectObject(Pen pen) override { inner_.SelectObject(pen); }
    void SelectObject(Font font) override { inner_.SelectObject(font); }
    void SelectObject(StockObject object) override { inner_.SelectObject(object); }
    void SetROP2(RasterOp op) override { inner_.SetROP2(op); }
    void MoveToEx(int x, int y) override { inner_.MoveToEx(x, y); }
    void LineTo(int x, int y) override { inner_.LineTo(x, y); }
    Point GetCurrentPositionEx() override { return inner_.GetCurrentPositionEx(); }
    void SetTextColor(Color) override {}
    void SetTextAlign(TextAlign) override {}
    void TextOutA(int, int, const char*, int) override {}
    TextMetrics GetTextMetricsA() override { return inner_.GetTextMetricsA(); }

private:
    DrawingSurface& inner_;
};

struct Stroke {
    Pen pen;
    RasterOp op = RasterOp::CopyPen;
    std::vector<Point> points;
};

// Lines through QPainter: each run of LineTo calls is one polyline, so the
// two engines draw the same strokes.
class QPainterSurface final : public DrawingSurface {
public:
    explicit QPainterSurface(QImage& image) : painter_(&image) {}
    ~QPainterSurface() override { Flush(); }

    void SelectObject(Pen pen) override {
        Flush();
        const RasterPen& p = PenOf(pen);
        const QColor colour(static_cast<int>(p.color & 0xFF), static_cast<int>((p.color >> 8) & 0xFF),
                            static_cast<int>((p.color >> 16) & 0xFF));
        painter_.setPen(QPen(colour, p.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    void SelectObject(Font) override { Flush(); }
    void SelectObject(StockObject) override { Flush(); }
    void SetROP2(RasterOp op) override {
        Flush();
        painter_.setCompositionMode(op == RasterOp::XorPen      ? QPainter::RasterOp_SourceXorDestination
                                    : op == RasterOp::NotXorPen ? QPainter::RasterOp_NotSourceXorDestination
                                                                : QPainter::CompositionMode_SourceOver);
    }
    void MoveToEx(int x, int y) override {
        Flush();
        points_.assign(1, QPoint(x, y));
    }
    void LineTo(int x, int y) override {
        if (points_.empty()) {
            points_.push_back(position_);
        }
        points_.emplace_back(x, y);
        position_ = QPoint(x, y);
    }
    Point GetCurrentPositionEx() override {
        const QPoint p = points_.empty() ? position_ : points_.back();
        return {p.x(), p.y()};
    }
    void SetTextColor(Color) override {}
    void SetTextAlign(TextAlign) override {}
    void TextOutA(int, int, const char*, int) override {}
    TextMetrics GetTextMetricsA() override { return {30, 0, 15}; }

private:
    void Flush() {
        if (points_.size() > 1) {
            painter_.drawPolyline(points_.data(), static_cast<int>(points_.size()));
        }
        if (!points_.empty()) {
            position_ = points_.back();
        }
        points_.clear();
    }

    QPainter painter_;
    std::vector<QPoint> points_;
    QPoint position_;
};

// Records the strokes of a lines-only pass, for replaying them one by one.
class StrokeRecorder final : public DrawingSurface {
public:
    std::vector<Stroke> strokes;

    void SelectObject(Pen pen) override {
        pen_ = pen;
        open_ = false;
    }
    void SelectObject(Font) override { open_ = false; }
    void SelectObject(StockObject) override {
        pen_ = Pen{};
        open_ = false;
    }
    void SetROP2(RasterOp op) override {
        op_ = op;
        open_ = false;
    }
    void MoveToEx(int x, int y) override {
        position_ = {x, y};
        open_ = false;
    }
    void LineTo(int x, int y) override {
        if (!open_) {
            strokes.push_back({pen_, op_, {position_}});
            open_ = true;
        }
        strokes.back().points.push_back({x, y});
        position_ = {x, y};
    }
    Point GetCurrentPositionEx() override { return position_; }
    void SetTextColor(Color) override {}
    void SetTextAlign(TextAlign) override {}
    void TextOutA(int, int, const char*, int) override { open_ = false; }
    TextMetrics GetTextMetricsA() override { return {30, 0, 15}; }

private:
    Pen pen_;
    RasterOp op_ = RasterOp::CopyPen;
    Point position_;
    bool open_ = false;
};

} // namespace qv::bench
