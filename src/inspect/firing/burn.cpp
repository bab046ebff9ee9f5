#include "inspect/firing/burn.h"

#include <algorithm>

double crossing(double ta, double Fa, double tb, double Fb, double level) {
  if (Fb == Fa) return tb;
  return ta + (level - Fa) / (Fb - Fa) * (tb - ta);
}

std::optional<Burn> find_burn(std::span<const double> t, std::span<const double> F, double zero, std::size_t from,
                              std::size_t to) {
  const std::size_t n = std::min(t.size(), F.size());
  return find_burn(constant_zero(t.first(n), F.first(n), zero), from, to);
}

std::optional<Burn> find_burn(const Signal& signal, std::size_t from, std::size_t to) {
  const std::span<const double> t = signal.t;
  const std::size_t n = t.size();
  if (n < 2 || from >= n) return std::nullopt;
  to = std::min(to, n - 1);
  auto f = [&](std::size_t i) { return ::above(signal, i); };
  Burn b;
  b.zero = signal.zero.before;
  b.peak = from;
  b.Fmax = f(from);
  for (std::size_t i = from + 1; i <= to; ++i) {
    const double x = f(i);
    if (x > b.Fmax) {
      b.peak = i;
      b.Fmax = x;
    }
  }
  b.peak_time = t[b.peak];
  if (!(b.Fmax > 0.0)) return std::nullopt;
  b.threshold = kBurnThresholdShare * b.Fmax;
  const double level = b.threshold;
  auto above = [&](std::size_t i) { return f(i) >= level; };

  std::size_t s = b.peak;
  while (s > from && above(s - 1)) --s;
  std::size_t e = b.peak;
  while (e < to && above(e + 1)) ++e;
  const double bridge = kBridgedShare * (t[e + 1 < n ? e + 1 : e] - t[s]);
  for (;;) {  // earlier runs closer than the bridge
    std::size_t k = s;
    while (k > from && !above(k - 1) && t[s] - t[k - 1] <= bridge) --k;
    if (k == from || !above(k - 1) || t[s] - t[k - 1] > bridge) break;
    s = k - 1;
    while (s > from && above(s - 1)) --s;
  }
  for (;;) {  // later runs closer than the bridge
    std::size_t k = e;
    while (k < to && !above(k + 1) && t[k + 1] - t[e] <= bridge) ++k;
    if (k >= to || !above(k + 1) || t[k + 1] - t[e] > bridge) break;
    e = k + 1;
    while (e < to && above(e + 1)) ++e;
  }
  b.first = s;
  b.last = e;
  b.ends_in_file = e + 1 < n;

  // The thrust crosses the threshold only next to a record below it: where
  // the range searched (--de, --ate) cuts the burn, it starts or ends at its
  // own record there.
  const bool rises = s > 0 && !above(s - 1);
  const bool falls = b.ends_in_file && !above(e + 1);
  b.start = rises ? crossing(t[s - 1], f(s - 1), t[s], f(s), level) : t[s];
  b.end = falls ? crossing(t[e], f(e), t[e + 1], f(e + 1), level) : t[e];
  b.duration = b.end - b.start;
  double It = rises ? trapezoid(b.start, level, t[s], f(s)) : 0.0;
  It += stamped_area(signal, s, e);
  if (falls) It += trapezoid(t[e], f(e), b.end, level);
  b.It = It;
  b.Fmed = b.duration > 0.0 ? It / b.duration : 0.0;
  for (std::size_t i = from; i < s; ++i) b.outside += above(i);
  for (std::size_t i = e + 1; i <= to; ++i) b.outside += above(i);
  return b;
}

BurnClass classify_burn(const Burn& burn) {
  BurnClass c;
  c.motor_class = motor_class(burn.It);
  c.designation = designation_of(burn.It, burn.Fmed);
  return c;
}

double suggested_ti(std::span<const double> t, const Burn& burn) { return t[burn.first]; }

double suggested_tf(std::span<const double> t, const Burn& burn) {
  if (burn.ends_in_file) return t[burn.last + 1];
  // The program needs a record after tf to end its reading: the last one.
  return burn.last > burn.first ? t[burn.last - 1] : t[burn.last];
}
