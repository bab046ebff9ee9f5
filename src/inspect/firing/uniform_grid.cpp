#include "inspect/firing/uniform_grid.h"

#include <algorithm>
#include <cmath>

#include "inspect/firing/curve.h"

std::size_t WrittenCurve::size() const {
  if (w <= 0 || t.empty()) return t.size();
  const double rate = w;
  const double last = t.back();
  if (!(last * rate < 1e18)) return static_cast<std::size_t>(1e18);
  auto k_end = static_cast<std::size_t>(std::floor(last * rate)) + 1;
  while (k_end > 1 && static_cast<double>(k_end - 1) / rate > last) --k_end;
  return k_end;
}

// The time from the index, never by adding steps: no rounding builds up.
double WrittenCurve::time(std::size_t k) const { return w <= 0 ? t[k] : static_cast<double>(k) / w; }

CurveCursor::CurveCursor(const WrittenCurve& curve, std::size_t from)
    : c_(curve), size_(curve.size()), k_(std::min(from, size_)) {
  if (c_.w <= 0 || k_ >= size_ || c_.t.size() < 2) return;
  // The last record at or before the point, as next() would have walked to it.
  const double at = c_.time(k_);
  const auto after = std::upper_bound(c_.t.begin(), c_.t.end() - 1, at);
  j_ = std::min(static_cast<std::size_t>(after - c_.t.begin()), c_.t.size() - 1);
  j_ = j_ > 0 ? j_ - 1 : 0;
  if (j_ + 2 > c_.t.size()) j_ = c_.t.size() - 2;
}

bool CurveCursor::next(double* t, double* F) {
  if (k_ >= size_) return false;
  const auto& r = c_;
  if (r.w <= 0) {
    *t = r.t[k_];
    *F = r.F[k_];
  } else {
    const double at = r.time(k_);
    while (j_ + 2 < r.t.size() && r.t[j_ + 1] <= at) ++j_;
    *t = at;
    if (r.t.size() == 1) {
      *F = r.F[0];
    } else if (at >= r.t[j_ + 1]) {
      *F = r.F[j_ + 1];
    } else {
      *F = interpolated(r.t[j_], r.F[j_], r.t[j_ + 1], r.F[j_ + 1], at);
    }
  }
  ++k_;
  return true;
}
