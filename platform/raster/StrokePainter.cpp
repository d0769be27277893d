#include "platform/raster/StrokePainter.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <limits>

namespace qv {

namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFFU;
constexpr int kEmptyLeft = std::numeric_limits<int>::max();
constexpr int kEmptyRight = std::numeric_limits<int>::min();

// End points are held within 2^28 of the origin so the products of the
// centre line cannot overflow; no painter comes near that.
constexpr int kReach = 1 << 28;

Point Hold(Point p) { return {std::clamp(p.x, -kReach, kReach), std::clamp(p.y, -kReach, kReach)}; }

} // namespace

void StrokePainter::Begin(int width, Color color, RasterOp op) {
    low_ = -(width / 2);
    high_ = low_ + width - 1;
    const std::uint32_t pen = ToPixel(color);
    ink_ = {op == RasterOp::CopyPen, pen, (op == RasterOp::XorPen ? pen : ~pen) & kRgbMask};
    if (++stroke_ == 0) { // the counter wrapped: old rows would pass for this stroke's
        std::fill(rows_.begin(), rows_.end(), Row{});
        stroke_ = 1;
    }
    rows_.resize(clip_.Empty() ? 0 : static_cast<std::size_t>(clip_.bottom - clip_.top));
    segments_.clear();
    segmentRows_.clear();
}

inline void StrokePainter::Paint(int y, int left, int right) {
    const Ink ink = ink_;
    ink.Apply(canvas_.Pixels() + canvas_.Index(left, y), right - left + 1);
}

// An axis-parallel segment covers a rectangle; any other is walked.
void StrokePainter::Extend(Point from, Point to) {
    if (high_ < low_ || clip_.Empty()) {
        return;
    }
    from = Hold(from);
    to = Hold(to);
    if (from.x == to.x || from.y == to.y) {
        AddRectangle(std::min(from.x, to.x) + low_, std::min(from.y, to.y) + low_, std::max(from.x, to.x) + high_,
                     std::max(from.y, to.y) + high_);
    } else {
        WalkCentreLine(from, to);
        AddRunRows();
    }
}

StrokePainter::Run StrokePainter::Clipped(long long left, long long right) const {
    return {static_cast<int>(std::clamp<long long>(left, clip_.left, clip_.right)),
            static_cast<int>(std::clamp<long long>(right, clip_.left - 1LL, clip_.right - 1LL))};
}

// A run starting right of its row's block meets nothing the stroke covers;
// that test is made inline in the loops over rows, which are the hot path.
void StrokePainter::AddRectangle(long long left, long long top, long long right, long long bottom) {
    const int first = static_cast<int>(std::max<long long>(top, clip_.top));
    const int last = static_cast<int>(std::min<long long>(bottom, clip_.bottom - 1));
    const Run run = Clipped(left, right);
    if (first > last || run.left > run.right) {
        return;
    }
    const Ink ink = ink_;
    const std::uint32_t stroke = stroke_;
    const int count = run.right - run.left + 1;
    const std::ptrdiff_t stride = canvas_.Width();
    Row* row = rows_.data() + (first - clip_.top);
    std::uint32_t* pixels = canvas_.Pixels() + canvas_.Index(run.left, first);
    for (int y = first; y <= last; ++y, ++row, pixels += stride) {
        if (row->stroke != stroke || run.left > row->right + 1) {
            *row = {stroke, run.left, run.right};
            ink.Apply(pixels, count);
        } else {
            AddOverlapping(*row, y, run);
        }
    }
    segments_.push_back({first, last, run});
}

// The centre line's pixel k along the major axis is offset on the minor axis
// by k * minor / steps rounded half up, here kept as a quotient and a
// remainder. Only the steps whose brush reaches the clip rectangle's extent on
// the major axis are walked, so a far-off end point costs nothing.
void StrokePainter::WalkCentreLine(Point from, Point to) {
    const long long dx = static_cast<long long>(to.x) - from.x;
    const long long dy = static_cast<long long>(to.y) - from.y;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const long long steps = std::max(std::llabs(dx), std::llabs(dy));
    const long long minorRun = xMajor ? std::llabs(dy) : std::llabs(dx);
    const int majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const long long major0 = xMajor ? from.x : from.y;
    const long long minor0 = xMajor ? from.y : from.x;

    const long long clipMin = xMajor ? clip_.left : clip_.top;
    const long long clipMax = (xMajor ? clip_.right : clip_.bottom) - 1;
    long long first = majorSign > 0 ? clipMin - high_ - major0 : major0 - (clipMax - low_);
    long long last = majorSign > 0 ? clipMax - low_ - major0 : major0 - (clipMin - high_);
    first = std::max(first, 0LL);
    last = std::min(last, steps);

    centre_.clear();
    if (first > last) {
        return;
    }
    const long long denominator = 2 * steps;
    long long offset = 0;
    long long remainder = steps;
    if (first > 0) {
        const long long numerator = 2 * first * minorRun + steps;
        offset = numerator / denominator;
        remainder = numerator % denominator;
    }
    // One run per step on the minor axis, or per step on the major axis; the
    // runs start empty so each step only widens one.
    const long long firstOffset = offset;
    centreFirstRow_ = xMajor ? minor0 + minorSign * offset : major0 + majorSign * first;
    centreStep_ = xMajor ? minorSign : majorSign;
    centre_.assign(static_cast<std::size_t>(last - first + 1), Run{kEmptyLeft, kEmptyRight});
    std::size_t used = 0;
    for (long long k = first; k <= last; ++k) {
        const long long major = major0 + majorSign * k;
        const long long minor = minor0 + minorSign * offset;
        const int x = static_cast<int>(xMajor ? major : minor);
        const std::size_t index = static_cast<std::size_t>(xMajor ? offset - firstOffset : k - first);
        Run& run = centre_[index];
        run.left = std::min(run.left, x);
        run.right = std::max(run.right, x);
        used = index + 1;
        remainder += 2 * minorRun;
        const bool carry = remainder >= denominator;
        offset += carry;
        remainder -= carry ? denominator : 0;
    }
    centre_.resize(used);
}

// Row y is covered by the brush centred in rows y - high .. y - low. Along a
// segment the centre's x is monotone, so those runs span from the first to
// the last of them.
void StrokePainter::AddRunRows() {
    if (centre_.empty()) {
        return;
    }
    const long long count = static_cast<long long>(centre_.size());
    const long long lastRow = centreFirstRow_ + centreStep_ * (count - 1);
    const int first = static_cast<int>(std::max<long long>(std::min(centreFirstRow_, lastRow) + low_, clip_.top));
    const int last =
        static_cast<int>(std::min<long long>(std::max(centreFirstRow_, lastRow) + high_, clip_.bottom - 1));
    if (first > last) {
        return;
    }
    const int rows = static_cast<int>(segmentRows_.size());
    segmentRows_.resize(segmentRows_.size() + static_cast<std::size_t>(last - first + 1));
    Run* out = segmentRows_.data() + rows;
    // Row y is covered by centre_[index .. index + reach], clamped to the runs there are.
    long long index = centreStep_ > 0 ? first - high_ - centreFirstRow_ : centreFirstRow_ - (first - low_);
    const long long reach = high_ - low_;
    const Ink ink = ink_;
    const std::uint32_t stroke = stroke_;
    const std::ptrdiff_t stride = canvas_.Width();
    Row* row = rows_.data() + (first - clip_.top);
    std::uint32_t* line = canvas_.Pixels() + canvas_.Index(0, first);
    for (int y = first; y <= last; ++y, index += centreStep_, ++out, ++row, line += stride) {
        const Run& start = centre_[static_cast<std::size_t>(std::max(index, 0LL))];
        const Run& end = centre_[static_cast<std::size_t>(std::min(index + reach, count - 1))];
        const Run run = Clipped(std::min(start.left, end.left) + low_, std::max(start.right, end.right) + high_);
        *out = run;
        if (run.left > run.right) {
            continue;
        }
        if (row->stroke != stroke || run.left > row->right + 1) {
            *row = {stroke, run.left, run.right};
            ink.Apply(line + run.left, run.right - run.left + 1);
        } else {
            AddOverlapping(*row, y, run);
        }
    }
    segments_.push_back({first, last, {}, rows});
}

// A run starting within the row's block can only meet that block, since
// whatever else the row has lies further left. A run reaching left of it is
// cut against the runs of all the earlier segments that cross the row.
void StrokePainter::AddOverlapping(Row& row, int y, Run run) {
    if (run.left >= row.left) {
        if (run.right > row.right) {
            Paint(y, row.right + 1, run.right);
            row.right = run.right;
        }
        return;
    }
    crossing_.clear();
    for (const Segment& segment : segments_) {
        if (segment.top <= y && y <= segment.bottom) {
            const Run taken =
                segment.rows < 0 ? segment.run : segmentRows_[static_cast<std::size_t>(segment.rows + y - segment.top)];
            if (taken.left <= taken.right) {
                crossing_.push_back(taken);
            }
        }
    }
    std::sort(crossing_.begin(), crossing_.end(), [](const Run& a, const Run& b) { return a.left < b.left; });
    int from = run.left;
    for (const Run& taken : crossing_) {
        if (taken.left > run.right) {
            break;
        }
        if (taken.left > from) {
            Paint(y, from, taken.left - 1);
        }
        from = std::max(from, taken.right + 1);
    }
    if (from <= run.right) {
        Paint(y, from, run.right);
    }
    if (run.right + 1 >= row.left) { // the run and the block are now one covered block
        row.left = run.left;
        row.right = std::max(row.right, run.right);
    }
}

} // namespace qv
