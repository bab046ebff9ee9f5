#include "inspect/firing/signal.h"

Signal constant_zero(std::span<const double> t, std::span<const double> F, double zero) {
  Signal s{t, F, {}, {}};
  s.zero.before = zero;
  s.zero.after = zero;
  return s;
}

double stamped_area(const Signal& s, std::size_t from, std::size_t to) {
  return trapezoid_sum(s.t, from, to, [&s](std::size_t i) { return above(s, i); });
}

bool set_aside(const Signal& s, std::size_t i) { return std::binary_search(s.spikes.begin(), s.spikes.end(), i); }

double spliced(const Signal& s, std::size_t i) {
  const std::size_t n = s.F.size();
  std::size_t a = i;
  while (a > 0 && set_aside(s, a)) --a;
  std::size_t b = i;
  while (b + 1 < n && set_aside(s, b)) ++b;
  auto plain = [&](std::size_t k) { return s.F[k] - zero_at(s.zero, s.t[k]); };
  const bool a_kept = !set_aside(s, a);
  const bool b_kept = !set_aside(s, b);
  if (a_kept && b_kept && s.t[b] > s.t[a]) {
    return plain(a) + (plain(b) - plain(a)) * ((s.t[i] - s.t[a]) / (s.t[b] - s.t[a]));
  }
  if (a_kept) return plain(a);
  if (b_kept) return plain(b);
  return 0.0;
}
