// The pixels of a stroke, segment by segment, as row spans that no other
// span of the stroke shares: a w x w square brush (offsets -(w/2) ..
// w-1-(w/2)) stamped at every pixel of the exact centre line of each segment,
// both end points included, clipped.
//
// A square swept along a straight line covers one contiguous run in every
// row, so a segment meets each row once. A row remembers its rightmost block
// of covered pixels; a run that starts within or right of it, as in the
// display's left-to-right strokes, is cut against that block alone. Any
// other run is cut against everything the row has taken in this stroke.
#pragma once

#include "platform/raster/RasterCanvas.h"

#include <cstdint>
#include <vector>

namespace qv {

struct Span {
    int y = 0;
    int left = 0;  // first pixel
    int right = 0; // last pixel
};

class StrokeSpans {
public:
    void Begin(int width, Rect clip);
    // The segment's pixels that earlier segments of the stroke did not
    // cover. Valid until the next call.
    const std::vector<Span>& Extend(Point from, Point to);

private:
    struct Run { // the centre line's pixels in one row of a segment
        int left;
        int right;
    };
    struct Piece { // a span the stroke has taken, in a row's list
        int left;
        int right;
        int next;
    };
    struct Row {
        std::uint32_t stroke; // the stroke that last touched the row
        int left;             // its rightmost block of covered pixels
        int right;
        int pieces; // the head of its list of pieces, or -1
    };

    void AddRectangle(long long left, long long top, long long right, long long bottom);
    void WalkCentreLine(Point from, Point to);
    void AddRunRows();
    void AddRow(long long y, long long left, long long right);
    void AddBehind(Row& row, int y, int left, int right);
    void Take(Row& row, int y, int left, int right);

    Rect clip_;
    long long low_ = 0;  // the brush's first offset from the centre
    long long high_ = 0; // and its last
    std::uint32_t stroke_ = 0;
    std::vector<Row> rows_; // one per row of the clip rectangle
    std::vector<Piece> pieces_;
    std::vector<Run> runs_;
    long long firstRunRow_ = 0; // run j lies in row firstRunRow_ + runStep_ * j
    int runStep_ = 1;
    std::vector<Run> taken_; // a row's pieces, sorted
    std::vector<Span> fresh_;
};

} // namespace qv
