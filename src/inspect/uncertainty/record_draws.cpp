#include "inspect/uncertainty/record_draws.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "inspect/firing/curve.h"

namespace {

// A burn of no more records than this is rerun whole on every draw.
constexpr std::size_t kWholeRecords = 8192;
// Nor is a window around a crossing allowed more.
constexpr std::size_t kWidestWindow = 1 << 18;
// Draws are cut at these many standard deviations, so that the records
// outside the windows cannot cross the threshold or reach the peak.
constexpr double kNormalCut = 6.0;
constexpr double kNoiseCut = 8.0;

enum class Kind { scale, offset, stretch, noise, impulse };

Kind kind_of(const char* name) {
  const auto is = [&](std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&](const char* x) { return std::strcmp(x, name) == 0; });
  };
  if (is({"calibration", "reference_masses", "gravity"})) return Kind::scale;
  if (is({"zero", "zero_shift", "nonlinearity", "hysteresis"})) return Kind::offset;
  if (is({"clock", "rate"})) return Kind::stretch;
  if (is({"noise"})) return Kind::noise;
  return Kind::impulse;
}

double drawn(const BudgetTerm& term, Draws& random) {
  return term.bound ? std::sqrt(3.0) * random.symmetric() : std::clamp(random.normal(), -kNormalCut, kNormalCut);
}

double step(std::span<const double> t, std::size_t i) { return std::max(t[i + 1] - t[i], 0.0); }

// The trapezoid weight of record I inside a run of records.
double inner_weight(std::span<const double> t, std::size_t i) { return trapezoid_weight(t, i - 1, i + 1, i); }

DrawnRecords drawn_records(const Signal& s, std::size_t first, std::size_t last) {
  DrawnRecords r;
  r.first = first;
  for (std::size_t i = first; i <= last; ++i) r.y.push_back(above(s, i));
  return r;
}

// How far a draw may move a thrust against the threshold, and the peak.
struct Reach {
  double crossing = 0.0;  // N
  double peak = 0.0;      // N
};

Reach reach_of(const Budget& budget, const Burn& b) {
  double offset = 0.0;
  double scale = 0.0;
  for (const BudgetTerm& term : budget.terms) {
    if (!term.given) continue;
    const double most = term.bound ? std::sqrt(3.0) * term.u : kNormalCut * term.u;
    if (kind_of(term.name) == Kind::offset) offset += most / b.duration;
    if (kind_of(term.name) == Kind::scale) scale += most / b.It;
  }
  const double noise = kNoiseCut * budget.reading_noise;
  // The threshold moves by 5 % of the peak's move.
  return {offset + noise + kBurnThresholdShare * (scale * b.Fmax + offset + 2.0 * noise) + scale * b.threshold,
          2.0 * noise + 1e-12 * b.Fmax};
}

// The window over records [FIRST, LAST] of S, the crossing on [FROM, TO]
// among them, looked for FORWARD (the start) or backward (the end).
CrossingWindow crossing_window(const Signal& s, std::size_t first, std::size_t last, std::size_t from, std::size_t to,
                               bool forward) {
  CrossingWindow c;
  c.records = drawn_records(s, first, last);
  c.from = from - first;
  c.to = to - first;
  const std::vector<double>& y = c.records.y;
  c.most.assign(y.size(), 0.0);
  if (forward) {
    for (std::size_t i = c.from; i <= c.to; ++i) c.most[i] = i > c.from ? std::max(c.most[i - 1], y[i]) : y[i];
  } else {
    for (std::size_t i = c.to + 1; i-- > c.from;) c.most[i] = i < c.to ? std::max(c.most[i + 1], y[i]) : y[i];
  }
  c.yw.assign(y.size() + 1, 0.0);
  c.w.assign(y.size() + 1, 0.0);
  c.w2.assign(y.size() + 1, 0.0);
  for (std::size_t i = 0; i < y.size(); ++i) {
    const std::size_t record = first + i;
    const double w = record > 0 && record + 1 < s.t.size() ? inner_weight(s.t, record) : 0.0;
    c.yw[i + 1] = c.yw[i] + y[i] * w;
    c.w[i + 1] = c.w[i] + w;
    c.w2[i + 1] = c.w2[i] + w * w;
  }
  return c;
}

// The windows around the crossings and the records that may hold the peak;
// false when they meet, and the burn is rerun whole.
bool place_windows(RecordModel& m, const Signal& s, const Burn& b, const Reach& reach) {
  const double bridge = kBridgedShare * (m.t[b.ends_in_file ? b.last + 1 : b.last] - m.t[b.first]);
  std::size_t earliest = b.first;
  for (std::size_t i = b.first; i > m.from && m.t[b.first] - m.t[i - 1] <= bridge; --i) {
    if (above(s, i - 1) >= b.threshold - reach.crossing) earliest = i - 1;
  }
  std::size_t start_hi = b.first;
  while (start_hi < b.last && above(s, start_hi) < b.threshold + reach.crossing) ++start_hi;
  std::size_t latest = b.last;
  for (std::size_t i = b.last; i < m.to && m.t[i + 1] - m.t[b.last] <= bridge; ++i) {
    if (above(s, i + 1) >= b.threshold - reach.crossing) latest = i + 1;
  }
  std::size_t end_lo = b.last;
  while (end_lo > b.first && above(s, end_lo) < b.threshold + reach.crossing) --end_lo;
  if (start_hi + 2 >= end_lo || start_hi - earliest > kWidestWindow || latest - end_lo > kWidestWindow) return false;
  m.start = crossing_window(s, earliest > 0 ? earliest - 1 : 0, start_hi, earliest, start_hi, true);
  m.end = crossing_window(s, end_lo, latest + 1 < m.n ? latest + 1 : latest, end_lo, latest, false);
  for (std::size_t i = start_hi + 1; i < end_lo; ++i) {
    const double y = above(s, i);
    const double w = inner_weight(m.t, i);
    m.core_yw += y * w;
    m.core_w += w;
    if (y >= b.Fmax - reach.peak) {
      m.peak.push_back(i);
      m.peak_y.push_back(y);
      m.peak_w.push_back(w);
    } else {
      m.core_w2 += w * w;
    }
  }
  return b.peak > start_hi && b.peak < end_lo;
}

// One draw rerun on the event's every record, by find_burn.
double whole_impulse(RecordModel& m, const TermDraw& d, Draws& random) {
  const std::vector<double>& y = m.records.y;
  m.buffer.resize(y.size());
  for (std::size_t i = 0; i < y.size(); ++i) {
    m.buffer[i] = (1.0 + d.scale) * y[i] + d.offset + m.noise * random.normal();
  }
  const std::span<const double> t = m.t.subspan(m.records.first, y.size());
  const std::optional<Burn> b = find_burn(t, m.buffer, 0.0, m.from - m.records.first, m.to - m.records.first);
  return b ? b->It : 0.0;
}

// Where the moved thrusts of window C first reach LEVEL: looking forward
// from its start (or backward from its end), the index, and the thrust
// there; the window's inner end when none does.
struct Reached {
  std::size_t at = 0;
  double y = 0.0;
};

Reached reach_level(const CrossingWindow& c, const TermDraw& d, double level, bool forward) {
  const double bar = (level - d.offset) / (1.0 + d.scale);  // the thrust that reaches the level moved
  const auto begin = c.most.begin() + static_cast<std::ptrdiff_t>(c.from);
  const auto end = c.most.begin() + static_cast<std::ptrdiff_t>(c.to) + 1;
  std::size_t at = 0;
  if (forward) {  // the running largest rises from the start
    at = static_cast<std::size_t>(std::lower_bound(begin, end, bar) - c.most.begin());
    at = std::min(at, c.to);
  } else {  // and falls towards the end
    const auto past = std::lower_bound(begin, end, bar, [](double most, double x) { return most >= x; });
    at = past == begin ? c.from : static_cast<std::size_t>(past - c.most.begin()) - 1;
  }
  return {at, (1.0 + d.scale) * c.records.y[at] + d.offset};
}

// The trapezoid of window C's moved records over indices [FROM, TO] (N s),
// its ends FROM and TO at the weights of the burn's first and last record.
double window_area(const RecordModel& m, const CrossingWindow& c, std::size_t from, std::size_t to, const TermDraw& d,
                   Draws& random) {
  const double noise = m.noise * std::sqrt(std::max(c.w2[to + 1] - c.w2[from], 0.0)) * random.normal();
  return (1.0 + d.scale) * (c.yw[to + 1] - c.yw[from]) + d.offset * (c.w[to + 1] - c.w[from]) + noise;
}

double windowed_impulse(RecordModel& m, const TermDraw& d, Draws& random) {
  const std::span<const double> t = m.t;
  double peak = -HUGE_VAL;
  double core = (1.0 + d.scale) * m.core_yw + d.offset * m.core_w;
  for (std::size_t k = 0; k < m.peak.size(); ++k) {
    const double noise = m.noise * std::clamp(random.normal(), -kNoiseCut, kNoiseCut);
    peak = std::max(peak, (1.0 + d.scale) * m.peak_y[k] + d.offset + noise);
    core += m.peak_w[k] * noise;
  }
  core += m.noise * std::sqrt(m.core_w2) * std::clamp(random.normal(), -kNoiseCut, kNoiseCut);
  if (!(peak > 0.0)) return 0.0;
  const double level = kBurnThresholdShare * peak;
  const CrossingWindow& a = m.start;
  const CrossingWindow& z = m.end;
  const Reached s = reach_level(a, d, level, true);
  const Reached e = reach_level(z, d, level, false);
  const std::size_t first = a.records.first + s.at;
  const std::size_t last = z.records.first + e.at;
  // The ends weigh half a step each.
  double area = window_area(m, a, s.at, a.to, d, random) + window_area(m, z, z.from, e.at, d, random);
  area -= (a.w[s.at + 1] - a.w[s.at] - 0.5 * step(t, first)) * s.y;
  area -= (z.w[e.at + 1] - z.w[e.at] - 0.5 * step(t, last - 1)) * e.y;
  const auto moved = [&](const CrossingWindow& c, std::size_t i) {
    return (1.0 + d.scale) * c.records.y[i] + d.offset;
  };
  // As find_burn: a crossing only next to a record below the level.
  if (first > 0 && s.at > 0 && moved(a, s.at - 1) < level) {
    area += 0.5 * (s.y + level) * (t[first] - crossing(t[first - 1], moved(a, s.at - 1), t[first], s.y, level));
  }
  if (last + 1 < m.n && e.at + 1 < z.records.y.size() && moved(z, e.at + 1) < level) {
    area += 0.5 * (e.y + level) * (crossing(t[last], e.y, t[last + 1], moved(z, e.at + 1), level) - t[last]);
  }
  return area + core;
}

}  // namespace

RecordModel record_model(std::span<const double> t, std::span<const double> F, const FiringAnalysis& a,
                         const Budget& budget) {
  RecordModel m;
  const Signal s = burn_signal(t, F, a);
  const Burn& b = *a.burn;
  m.t = s.t;
  m.n = s.t.size();
  const Event& e = a.scan.events[*a.chosen];
  m.from = std::min(e.first, b.first);
  m.to = std::max(e.last, b.last);
  m.noise = budget.reading_noise;
  m.whole = m.to - m.from < kWholeRecords || !place_windows(m, s, b, reach_of(budget, b));
  if (m.whole) m.records = drawn_records(s, m.from > 0 ? m.from - 1 : 0, std::min(m.to + 1, m.n - 1));
  return m;
}

TermDraw draw_terms(const Budget& budget, double It, double duration, Draws& random) {
  TermDraw d;
  for (const BudgetTerm& term : budget.terms) {
    if (!term.given || term.u == 0.0) continue;
    const double x = drawn(term, random) * term.u;
    switch (kind_of(term.name)) {
      case Kind::scale: d.scale += x / It; break;
      case Kind::offset: d.offset += x / duration; break;
      case Kind::stretch: d.stretch += x / It; break;
      case Kind::noise: break;  // drawn on each record
      case Kind::impulse: d.impulse += x; break;
    }
  }
  return d;
}

double redrawn_impulse(RecordModel& m, const TermDraw& d, Draws& random) {
  const double It = m.whole ? whole_impulse(m, d, random) : windowed_impulse(m, d, random);
  return It * (1.0 + d.stretch) + d.impulse;
}
