#include "inspect/uncertainty/record_draws.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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
double inner_weight(std::span<const double> t, std::size_t i) { return 0.5 * (step(t, i - 1) + step(t, i)); }

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
  m.start_earliest = earliest;
  m.end_latest = latest;
  m.start = drawn_records(s, earliest > 0 ? earliest - 1 : 0, start_hi);
  m.end = drawn_records(s, end_lo, latest + 1 < m.n ? latest + 1 : latest);
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

// The window's records moved by D, with fresh noise, into M's buffer from
// AT on.
void move_window(RecordModel& m, const DrawnRecords& w, const TermDraw& d, Draws& random, std::size_t at) {
  for (std::size_t i = 0; i < w.y.size(); ++i) {
    const double noise = m.noise * std::clamp(random.normal(), -kNoiseCut, kNoiseCut);
    m.buffer[at + i] = (1.0 + d.scale) * w.y[i] + d.offset + noise;
  }
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
  const std::size_t ns = m.start.y.size();
  m.buffer.resize(ns + m.end.y.size());
  move_window(m, m.start, d, random, 0);
  move_window(m, m.end, d, random, ns);
  const auto y = [&](std::size_t i) { return i >= m.end.first ? m.buffer[ns + i - m.end.first] : m.buffer[i - m.start.first]; };
  // The windows' inner ends are above any level drawn.
  const std::size_t start_hi = m.start.first + ns - 1;
  std::size_t s = m.start_earliest;
  while (s < start_hi && y(s) < level) ++s;
  std::size_t e = m.end_latest;
  while (e > m.end.first && y(e) < level) --e;
  double area = 0.5 * step(t, s) * y(s);
  for (std::size_t i = s + 1; i <= start_hi; ++i) area += inner_weight(t, i) * y(i);
  for (std::size_t i = m.end.first; i < e; ++i) area += inner_weight(t, i) * y(i);
  area += 0.5 * step(t, e - 1) * y(e);
  if (s > 0) area += 0.5 * (y(s) + level) * (t[s] - crossing(t[s - 1], y(s - 1), t[s], y(s), level));
  if (e + 1 < m.n) area += 0.5 * (y(e) + level) * (crossing(t[e], y(e), t[e + 1], y(e + 1), level) - t[e]);
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
