#include "inspect/engine/engine_curve.h"

#include <cmath>
#include <queue>

namespace {

// The triangle of points A, B and C of P.
double triangle_area(const Curve& p, std::size_t a, std::size_t b, std::size_t c) {
  return std::fabs((p.t[b] - p.t[a]) * (p.F[c] - p.F[a]) - (p.t[c] - p.t[a]) * (p.F[b] - p.F[a])) / 2.0;
}

// Indices of the KEEP points of P that carry the most shape: the point whose
// triangle with its neighbours is smallest goes first, the ends stay.
std::vector<std::size_t> shape_points(const Curve& p, std::size_t keep) {
  const std::size_t n = p.size();
  std::vector<std::size_t> prev(n), next(n), version(n, 0);
  std::vector<bool> removed(n, false);
  struct Entry {
    double area;
    std::size_t index;
    std::size_t version;
    bool operator>(const Entry& other) const { return area > other.area; }
  };
  std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> queue;
  for (std::size_t i = 0; i < n; ++i) {
    prev[i] = i - 1;
    next[i] = i + 1;
  }
  for (std::size_t i = 1; i + 1 < n; ++i) queue.push({triangle_area(p, i - 1, i, i + 1), i, 0});
  std::size_t left = n;
  while (left > keep && !queue.empty()) {
    const Entry top = queue.top();
    queue.pop();
    if (removed[top.index] || top.version != version[top.index]) continue;
    removed[top.index] = true;
    --left;
    const std::size_t a = prev[top.index];
    const std::size_t b = next[top.index];
    next[a] = b;
    prev[b] = a;
    for (std::size_t k : {a, b}) {
      if (k == 0 || k == n - 1) continue;
      queue.push({triangle_area(p, prev[k], k, next[k]), k, ++version[k]});
    }
  }
  std::vector<std::size_t> kept;
  for (std::size_t i = 0; i < n; ++i) {
    if (!removed[i]) kept.push_back(i);
  }
  return kept;
}

// The least-squares fit of the polyline P by a polyline on the times of
// P[knots], zero at both ends: the mass matrix of the hat functions is
// tridiagonal, the right side the integrals of P times each hat.
Curve fit_on_knots(const Curve& p, const std::vector<std::size_t>& knots) {
  const std::size_t m = knots.size() - 1;  // intervals
  std::vector<double> tau(m + 1), h(m);
  for (std::size_t j = 0; j <= m; ++j) tau[j] = p.t[knots[j]];
  for (std::size_t j = 0; j < m; ++j) h[j] = tau[j + 1] - tau[j];
  std::vector<double> rhs(m + 1, 0.0);
  std::size_t j = 0;
  for (std::size_t k = 0; k + 1 < p.size(); ++k) {
    while (j + 1 < m && tau[j + 1] <= p.t[k]) ++j;
    const double a = p.t[k];
    const double c = p.t[k + 1];
    const double mid = (a + c) / 2.0;
    const double Fa = p.F[k];
    const double Fc = p.F[k + 1];
    const double Fm = (Fa + Fc) / 2.0;
    auto down = [&](double x) { return (tau[j + 1] - x) / h[j]; };
    auto up = [&](double x) { return (x - tau[j]) / h[j]; };
    // Both factors are linear on the segment: Simpson's rule is exact.
    rhs[j] += (c - a) / 6.0 * (Fa * down(a) + 4.0 * Fm * down(mid) + Fc * down(c));
    rhs[j + 1] += (c - a) / 6.0 * (Fa * up(a) + 4.0 * Fm * up(mid) + Fc * up(c));
  }
  // Unknowns v[1 .. m-1], by the Thomas algorithm.
  std::vector<double> v(m + 1, 0.0), cp(m + 1, 0.0), dp(m + 1, 0.0);
  for (std::size_t i = 1; i < m; ++i) {
    const double lower = i > 1 ? h[i - 1] / 6.0 : 0.0;
    const double upper = i + 1 < m ? h[i] / 6.0 : 0.0;
    const double diag = (h[i - 1] + h[i]) / 3.0 - lower * cp[i - 1];
    cp[i] = upper / diag;
    dp[i] = (rhs[i] - lower * dp[i - 1]) / diag;
  }
  for (std::size_t i = m - 1; i >= 1; --i) {
    v[i] = dp[i] - cp[i] * v[i + 1];
    if (i == 1) break;
  }
  v[m] = 0.0;
  Curve out;
  for (std::size_t i = 1; i <= m; ++i) out.add(tau[i], i < m && v[i] > 0.0 ? v[i] : 0.0);
  return out;
}

}  // namespace

Curve burn_polyline(std::span<const double> t, std::span<const double> F, const Burn& burn) {
  Curve p{{0.0}, {0.0}};
  for (std::size_t i = burn.first; i <= burn.last; ++i) {
    const double ti = t[i] - burn.start;
    // The curve's times must rise: a repeated or backward stamp is dropped.
    if (ti > p.t.back() && ti < burn.duration) p.add(ti, F[i] - burn.zero);
  }
  if (burn.duration > p.t.back()) p.add(burn.duration, 0.0);
  return p;
}

Curve reduce_curve(const Curve& polyline, std::size_t max_points) {
  if (polyline.size() <= max_points + 1) return from_ignition(polyline);
  return fit_on_knots(polyline, shape_points(polyline, max_points + 1));
}

Curve from_ignition(const Curve& polyline) {
  if (polyline.empty()) return {};
  return {{polyline.t.begin() + 1, polyline.t.end()}, {polyline.F.begin() + 1, polyline.F.end()}};
}

bool curve_finite(const Curve& points) {
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (!std::isfinite(points.t[i]) || !std::isfinite(points.F[i])) return false;
  }
  return std::isfinite(curve_impulse(points));
}
