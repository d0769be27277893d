#include "platform/raster/StrokeSpans.h"

#include <algorithm>
#include <cstdlib>

namespace qv {

namespace {

// End points are held within 2^28 of the origin so the products of the
// centre line cannot overflow; no painter comes near that.
constexpr int kReach = 1 << 28;

Point Hold(Point p) { return {std::clamp(p.x, -kReach, kReach), std::clamp(p.y, -kReach, kReach)}; }

} // namespace

void StrokeSpans::Begin(int width, Rect clip) {
    clip_ = clip;
    low_ = -(width / 2);
    high_ = low_ + width - 1;
    if (++stroke_ == 0) { // the counter wrapped: old rows would pass for this stroke's
        std::fill(rows_.begin(), rows_.end(), Row{});
        stroke_ = 1;
    }
    rows_.resize(clip.Empty() ? 0 : static_cast<std::size_t>(clip.bottom - clip.top));
    pieces_.clear();
}

// An axis-parallel segment covers a rectangle; any other is walked.
const std::vector<Span>& StrokeSpans::Extend(Point from, Point to) {
    fresh_.clear();
    if (high_ < low_ || clip_.Empty()) {
        return fresh_;
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
    return fresh_;
}
void StrokeSpans::AddRectangle(long long left, long long top, long long right, long long bottom) {
    const long long last = std::min<long long>(bottom, clip_.bottom - 1);
    for (long long y = std::max<long long>(top, clip_.top); y <= last; ++y) {
        AddRow(y, left, right);
    }
}

// The centre line's pixel k along the major axis is offset on the minor axis
// by k * minor / steps rounded half up, here kept as a quotient and a
// remainder. Only the steps whose brush reaches the clip rectangle's extent on
// the major axis are walked, so a far-off end point costs nothing. The pixels
// are gathered into runs, one per row.
void StrokeSpans::WalkCentreLine(Point from, Point to) {
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

    runs_.clear();
    runStep_ = xMajor ? minorSign : majorSign;
    const long long denominator = 2 * steps;
    const long long numerator = 2 * first * minorRun + steps;
    long long offset = numerator / denominator;
    long long remainder = numerator % denominator;
    long long row = 0;
    for (long long k = first; k <= last; ++k) {
        const long long major = major0 + majorSign * k;
        const long long minor = minor0 + minorSign * offset;
        const int x = static_cast<int>(xMajor ? major : minor);
        const long long y = xMajor ? minor : major;
        if (runs_.empty()) {
            firstRunRow_ = y;
        }
        if (runs_.empty() || y != row) {
            runs_.push_back({x, x});
            row = y;
        } else {
            runs_.back().left = std::min(runs_.back().left, x);
            runs_.back().right = std::max(runs_.back().right, x);
        }
        remainder += 2 * minorRun;
        if (remainder >= denominator) {
            remainder -= denominator;
            ++offset;
        }
    }
}

// Row y is covered by the brush centred in rows y - high .. y - low. Along a
// segment the centre's x is monotone, so those runs span from the first to
// the last of them.
void StrokeSpans::AddRunRows() {
    if (runs_.empty()) {
        return;
    }
    const long long count = static_cast<long long>(runs_.size());
    const long long lastRunRow = firstRunRow_ + runStep_ * (count - 1);
    const long long top = std::max<long long>(std::min(firstRunRow_, lastRunRow) + low_, clip_.top);
    const long long bottom = std::min<long long>(std::max(firstRunRow_, lastRunRow) + high_, clip_.bottom - 1);
    for (long long y = top; y <= bottom; ++y) {
        const long long a = runStep_ * (y - high_ - firstRunRow_);
        const long long b = runStep_ * (y - low_ - firstRunRow_);
        const Run& start = runs_[static_cast<std::size_t>(std::max(std::min(a, b), 0LL))];
        const Run& end = runs_[static_cast<std::size_t>(std::min(std::max(a, b), count - 1))];
        AddRow(y, std::min(start.left, end.left) + low_, std::max(start.right, end.right) + high_);
    }
}

// A run starting within or right of the row's block can only meet that
// block: whatever else the row has taken lies further left.
void StrokeSpans::AddRow(long long y, long long left, long long right) {
    const int l = static_cast<int>(std::max<long long>(left, clip_.left));
    const int r = static_cast<int>(std::min<long long>(right, clip_.right - 1));
    if (l > r) {
        return;
    }
    const int row = static_cast<int>(y);
    Row& state = rows_[static_cast<std::size_t>(row - clip_.top)];
    if (state.stroke != stroke_) {
        state = {stroke_, l, r, -1};
        Take(state, row, l, r);
    } else if (l > state.right + 1) {
        state.left = l;
        state.right = r;
        Take(state, row, l, r);
    } else if (l >= state.left) {
        if (r > state.right) {
            Take(state, row, state.right + 1, r);
            state.right = r;
        }
    } else {
        AddBehind(state, row, l, r);
    }
}

// A run reaching left of the row's block is cut against all the row's pieces.
void StrokeSpans::AddBehind(Row& state, int row, int left, int right) {
    taken_.clear();
    for (int i = state.pieces; i >= 0; i = pieces_[static_cast<std::size_t>(i)].next) {
        taken_.push_back({pieces_[static_cast<std::size_t>(i)].left, pieces_[static_cast<std::size_t>(i)].right});
    }
    std::sort(taken_.begin(), taken_.end(), [](const Run& a, const Run& b) { return a.left < b.left; });
    int from = left;
    for (const Run& piece : taken_) {
        if (piece.left > right) {
            break;
        }
        if (piece.left > from) {
            Take(state, row, from, piece.left - 1);
        }
        from = std::max(from, piece.right + 1);
    }
    if (from <= right) {
        Take(state, row, from, right);
    }
    if (right + 1 >= state.left) { // the run and the block are now one covered block
        state.left = left;
        state.right = std::max(state.right, right);
    }
}

void StrokeSpans::Take(Row& state, int row, int left, int right) {
    pieces_.push_back({left, right, state.pieces});
    state.pieces = static_cast<int>(pieces_.size() - 1);
    fresh_.push_back({row, left, right});
}

} // namespace qv
