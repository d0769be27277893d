// Paints strokes on a canvas, segment by segment, changing each pixel a
// stroke covers exactly once by the raster operation. A stroke's pixels are
// those of a w x w square brush (offsets -(w/2) .. w-1-(w/2)) stamped at
// every pixel of the exact centre line of each segment, both end points
// included, clipped.
//
// A square swept along a straight line covers one contiguous run in every
// row, so a segment meets each row once. A row remembers its rightmost block
// of covered pixels; a run that starts within or right of it, as in the
// display's left-to-right strokes, can meet nothing else. A run reaching
// further left is cut against the earlier segments that cross its row.
#pragma once

#include "platform/raster/RasterCanvas.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace qv {

class StrokePainter {
public:
    StrokePainter(RasterCanvas& canvas, Rect clip) : canvas_(canvas), clip_(clip) {}

    void Begin(int width, Color color, RasterOp op);
    void Extend(Point from, Point to);

private:
    // Xor and not-xor both flip the bits of a mask; the alpha byte stays opaque.
    // Loops copy it first, so that their stores to pixels cannot be taken to
    // change it.
    struct Ink {
        bool copy = true;
        std::uint32_t pen = 0;
        std::uint32_t flip = 0;
        void Apply(std::uint32_t* pixels, int count) const {
            if (copy) {
                std::fill_n(pixels, count, pen);
                return;
            }
            for (std::uint32_t* const end = pixels + count; pixels != end; ++pixels) {
                *pixels = (*pixels ^ flip) | 0xFF000000U;
            }
        }
    };
    struct Run { // a run of pixels in one row
        int left;
        int right;
    };
    struct Row {
        std::uint32_t stroke; // the stroke that last touched the row
        int left;             // its rightmost block of covered pixels
        int right;
    };
    struct Segment { // the rows an earlier segment of the stroke covers
        int top;
        int bottom;
        Run run;       // in every row, for an axis-parallel segment
        int rows = -1; // or, when not negative, segmentRows_[rows + y - top] in row y
    };

    Run Clipped(long long left, long long right) const; // empty when left > right
    void AddRectangle(long long left, long long top, long long right, long long bottom);
    void WalkCentreLine(Point from, Point to);
    void AddRunRows();
    void AddOverlapping(Row& row, int y, Run run);
    void Paint(int y, int left, int right);

    RasterCanvas& canvas_;
    const Rect clip_;
    long long low_ = 0;  // the brush's first offset from the centre
    long long high_ = 0; // and its last
    Ink ink_;
    std::uint32_t stroke_ = 0;
    std::vector<Row> rows_; // one per row of the clip rectangle
    std::vector<Segment> segments_;
    std::vector<Run> segmentRows_;
    std::vector<Run> centre_;      // the centre line's runs, one per row
    long long centreFirstRow_ = 0; // centre_[j] lies in row centreFirstRow_ + centreStep_ * j
    int centreStep_ = 1;
    std::vector<Run> crossing_; // the earlier runs in one row, sorted
};

} // namespace qv
