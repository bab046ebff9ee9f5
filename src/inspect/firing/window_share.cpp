#include "inspect/firing/window_share.h"

#include <algorithm>

#include "inspect/firing/curve.h"
#include "inspect/firing/firing.h"

namespace {

// The records a stretch's impulse counts: one on either side of it.
std::size_t stretch_from(const BurnStretch& b) { return b.first > 0 ? b.first - 1 : b.first; }
std::size_t stretch_to(const BurnStretch& b, std::size_t n) { return std::min(b.last + 1, n - 1); }

}  // namespace

BurnStretch burn_stretch(std::span<const double> t, std::span<const double> F, std::size_t first, std::size_t last,
                         double zero) {
  BurnStretch b{first, last, zero, 0.0};
  b.It = trapezoid_sum(t, stretch_from(b), stretch_to(b, t.size()), [&](std::size_t i) { return F[i] - zero; });
  return b;
}

LeftOut window_left_out(std::span<const double> t, std::span<const double> F, const FiringAnalysis& a, double ti,
                        double tf) {
  LeftOut out;
  if (!a.burn) return out;
  const BurnStretch& b = a.stretch;
  out.total = b.It;
  const std::size_t from = stretch_from(b);
  const std::size_t to = stretch_to(b, t.size());
  auto area = [&](std::size_t i) { return trapezoid(t[i], F[i] - b.zero, t[i + 1], F[i + 1] - b.zero); };
  // Only the steps at either end lie outside [ti, tf]: walk in from both.
  for (std::size_t i = from; i < to && t[i] < ti; ++i) {
    if (t[i + 1] > t[i]) out.before += area(i) * std::clamp((ti - t[i]) / (t[i + 1] - t[i]), 0.0, 1.0);
  }
  for (std::size_t i = to; i > from && t[i] > tf; --i) {
    if (t[i] > t[i - 1]) out.after += area(i - 1) * std::clamp((t[i] - tf) / (t[i] - t[i - 1]), 0.0, 1.0);
  }
  return out;
}
