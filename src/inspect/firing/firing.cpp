#include "inspect/firing/firing.h"

#include <algorithm>
#include <cmath>

#include "input/thrust_window.h"
#include "inspect/common/text.h"
#include "inspect/firing/spikes.h"

namespace {

constexpr double kMinorShare = 0.10;
constexpr double kEjectionShare = 0.20;
constexpr double kLongestEjectionDelay = 30.0;  // s
// The burn is first looked for well above the log's zero, where an offset
// or a drift of the zero cannot join it to the stretches around it.
constexpr double kLocatingShare = 0.10;
// A log deeper below its zero than this many times its height above it may
// hold a burn read mirrored.
constexpr double kMirroredDepth = 2.0;
constexpr double kFootShare = 1.0;

// Records [lo, hi] inside the times FROM and TO.
void time_range(std::span<const double> t, const FiringChoice& choice, std::size_t* lo, std::size_t* hi) {
  *lo = 0;
  *hi = t.size() - 1;
  if (choice.from) {
    while (*lo < t.size() && t[*lo] < *choice.from) ++*lo;
  }
  if (choice.to) {
    while (*hi > *lo && t[*hi] > *choice.to) --*hi;
  }
}

// The events of S over records [lo, hi], numbered in the whole log.
EventScan scan_range(const Signal& s, double noise, const ZeroLevel& zero, std::size_t lo, std::size_t hi,
                     double share) {
  Signal part = s;
  part.t = s.t.subspan(lo, hi - lo + 1);
  part.F = s.F.subspan(lo, hi - lo + 1);
  std::vector<std::size_t> spikes;
  for (std::size_t i : s.spikes) {
    if (i >= lo && i <= hi) spikes.push_back(i - lo);
  }
  part.spikes = spikes;
  std::size_t end_first = static_cast<std::size_t>(-1);
  double end_above = 0.0;
  if (zero.end && zero.end->first >= lo) {
    end_first = zero.end->first - lo;
    end_above = zero.end->mean - zero_at(s.zero, zero.end->from);
  }
  EventScan scan = find_events(part, noise, end_above, end_first, share);
  for (Event& e : scan.events) {
    e.first += lo;
    e.last += lo;
    e.peak_record += lo;
  }
  return scan;
}

struct Choice {
  std::optional<std::size_t> chosen;
  bool by_shape = false;
  std::size_t burn_like = 0;
};

// The burn-shaped event of largest impulse, else the largest that is not a
// spike; EVENT (from 1) when given.
Choice choose_event(const std::vector<Event>& events, std::size_t event) {
  Choice c;
  double largest = 0.0;
  for (std::size_t i = 0; i < events.size(); ++i) {
    if (events[i].shape == EventShape::burn && events[i].impulse > largest) {
      largest = events[i].impulse;
      c.chosen = i;
    }
  }
  c.by_shape = c.chosen.has_value();
  for (const Event& e : events) {
    if (e.shape == EventShape::burn && e.impulse >= kMinorShare * largest) ++c.burn_like;
  }
  if (!c.chosen) {
    for (std::size_t i = 0; i < events.size(); ++i) {
      if (events[i].shape != EventShape::spike && (!c.chosen || events[i].impulse > events[*c.chosen].impulse)) {
        c.chosen = i;
      }
    }
  }
  if (event > 0 && event <= events.size()) c.chosen = event - 1;
  return c;
}

// The stretch after the chosen event to the end of the log, when no other
// event follows: still falling there is a tail-off. It starts past the
// first record under the event's threshold: that one is still the burn's
// step down, and may hold thrust however flat the zero after it.
bool ends_in_tail(const FiringAnalysis& a, std::span<const double> F) {
  const Event& e = a.scan.events[*a.chosen];
  // A burn cut by the end of the log, or a log that ends right after it,
  // shows no tail: it just has no zero part at the end.
  if (*a.chosen + 1 < a.scan.events.size() || e.last + 11 >= F.size()) return false;
  const std::size_t from = e.last + 2;
  const auto [low, high] = std::minmax_element(F.begin(), F.end());
  if (is_flat(F, from, F.size() - 1, 0.0005 * (static_cast<double>(*high) - *low))) return false;
  // A tail falls, and is still thrust at the very end; a slide below the
  // zero, or a rise after burnout, is the cell's drift.
  auto mean = [&](std::size_t lo, std::size_t hi) {
    double sum = 0.0;
    for (std::size_t i = lo; i < hi; ++i) sum += F[i];
    return sum / static_cast<double>(hi - lo);
  };
  const std::size_t after = F.size() - from;
  const std::size_t third = after / 3;
  const std::size_t tenth = std::max<std::size_t>(after / 10, 3);
  return mean(from, from + third) > mean(F.size() - third, F.size()) &&
         mean(F.size() - tenth, F.size()) > a.zero.zero - 3.0 * a.zero.noise;
}

// The zero on each side of event INDEX of EVENTS, between it and the events
// around it; the log's own ends where none is found next to it.
void measure_sides(FiringAnalysis& a, std::span<const double> t, std::span<const double> F,
                   const std::vector<Event>& events, std::size_t index) {
  const Event& e = events[index];
  const std::size_t begin = index > 0 ? events[index - 1].last + 1 : 0;
  const std::size_t end = index + 1 < events.size() ? events[index + 1].first : F.size();
  // The event starts and ends a tenth up its rise and fall: their feet
  // lie about as long again outside it.
  std::size_t foot = e.first;
  while (foot > begin && t[foot - 1] > e.start - kFootShare * e.rise) --foot;
  std::size_t tail = e.last + 1;
  while (tail < end && t[tail] < e.end + kFootShare * e.fall) ++tail;
  a.zero_before = zero_before(t, F, begin, foot);
  a.zero_after = zero_after(t, F, tail, end);
  if (!a.zero_before && a.zero.start && a.zero.start->last < e.first) a.zero_before = a.zero.start;
  if (!a.zero_after && a.zero.end && a.zero.end->first > e.last) a.zero_after = a.zero.end;
}

// The zero after burn-out clearly off the zero before ignition.
bool shift_is_clear(const FiringAnalysis& a, double peak) {
  if (!a.zero_before || !a.zero_after) return false;
  QuietStretch shift = *a.zero_after;
  shift.mean -= a.zero_before->mean;
  shift.noise = std::max(a.zero_before->noise, a.zero_after->noise);
  return offset_is_clear(shift, peak);
}

// The zero line across event E: from the zero before to the zero after
// when they clearly differ; else one of them alone, or the log's zero, as a
// constant.
ZeroCorrection zero_line(const FiringAnalysis& a, const Event& e) {
  ZeroCorrection z;
  z.before = a.zero_before ? a.zero_before->mean : a.zero_after ? a.zero_after->mean : a.zero.zero;
  z.after = shift_is_clear(a, e.peak) ? a.zero_after->mean : z.before;
  z.start = e.start;
  z.end = e.end;
  return z;
}

double zero_noise(const FiringAnalysis& a) {
  if (a.zero_before) return a.zero_before->noise;
  if (a.zero_after) return a.zero_after->noise;
  return a.zero.noise;
}

// Whether the log may hold a spike around event E of SCAN, on the signal S:
// a reading 3 times what the four records around E's peak all reach.
bool may_hold_spikes(const Signal& s, const EventScan& scan, const Event& e, double zero) {
  const std::size_t first = e.peak_record > e.first ? e.peak_record - 1 : e.first;
  const std::size_t last = std::min(first + kWidestSpike, e.last);
  double sustained = above(s, first);
  for (std::size_t i = first + 1; i <= last; ++i) sustained = std::min(sustained, above(s, i));
  // The scan's highest reading, on S's zero.
  const double shift = std::fabs(zero - s.zero.before) + std::fabs(s.zero.after - s.zero.before);
  return scan.highest + shift >= kSpikeTimesPeak * sustained;
}

// The spikes of the log around the burn-shaped event E: all are listed; those
// next to thrust (inside the burn) are read through from then on.
void set_spikes_aside(FiringAnalysis& a, const Signal& s, const Event& e, std::size_t lo, std::size_t hi,
                      const EventScan& scan, double scan_zero) {
  a.spikes.clear();
  a.set_aside.clear();
  if (!may_hold_spikes(s, scan, e, scan_zero)) return;
  const std::vector<std::size_t> spikes = find_spikes(s, lo, hi, e.first, e.last);
  for (std::size_t i : spikes) {
    a.spikes.push_back({i, s.t[i], s.F[i]});
    if (i >= e.first && i <= e.last) a.set_aside.push_back(i);
  }
}

// The zero the figures count from: the line when either side, or the shift
// between them, is clearly off 0; else 0.
bool zero_is_clear(const FiringAnalysis& a, double peak) {
  if (a.zero_before && offset_is_clear(*a.zero_before, peak)) return true;
  if (a.zero_after && offset_is_clear(*a.zero_after, peak)) return true;
  return shift_is_clear(a, peak);
}

void warn(FiringAnalysis& a, const char* code, std::string text) { a.warnings.push_back({code, std::move(text)}); }

// The standard figures of the chosen event on the zero line, and what the
// line changes from the zero before alone.
void measure_burn(FiringAnalysis& a, std::span<const double> t, std::span<const double> F) {
  a.burn.reset();
  if (!a.chosen) return;
  const Event& e = a.scan.events[*a.chosen];
  Signal s{t, F, a.burn_zero, a.set_aside};
  if (!zero_is_clear(a, e.peak)) s.zero = constant_zero(t, F, 0.0).zero;
  a.burn = find_burn(s, e.first, e.last);
  if (!a.burn) return;
  a.burn_class = classify_burn(*a.burn);
  a.stretch = burn_stretch(t, F, e.first, a.tail_to_end ? t.size() - 1 : e.last, a.burn->zero);
  if (a.zero_before && a.zero_after) {
    a.zero_shift = a.zero_after->mean - a.zero_before->mean;
    ZeroCorrection line = a.burn_zero;
    line.before = a.zero_before->mean;
    line.after = a.zero_after->mean;
    a.shift_effect = -zero_rise(line, a.burn->start, a.burn->end);
  }
}

void zero_warnings(FiringAnalysis& a) {
  if (!a.zero_before) {
    warn(a, "no-zero-before", "nenhum trecho quieto antes da ignição para medir o zero (10 registros ou mais)");
  }
  if (!a.zero_after && !a.tail_to_end) {
    warn(a, "no-zero-after", "nenhum trecho quieto depois da queima para medir o zero (10 registros ou mais)");
  }
  if (!a.burn || !shift_is_clear(a, a.burn->Fmax)) return;
  const double share = a.burn->It != 0.0 ? a.shift_effect / (a.burn->It - a.shift_effect) * 100.0 : 0.0;
  warn(a, "zero-shift",
       "o zero muda " + fixed(a.zero_shift, 3) + " N da ignição ao fim da queima (de " + fixed(a.zero_before->mean, 3) +
           " N a " + fixed(a.zero_after->mean, 3) +
           " N); tomado em linha reta durante a queima, o que muda o impulso em " + fixed(a.shift_effect, 3) +
           " N·s (" + percent(share, 1) + ")");
}

void spike_warning(FiringAnalysis& a) {
  if (a.spikes.empty()) return;
  const SpikeRecord* largest = &a.spikes.front();
  for (const SpikeRecord& s : a.spikes) {
    if (s.thrust > largest->thrust) largest = &s;
  }
  const std::size_t count = a.spikes.size();
  warn(a, "spike",
       std::to_string(count) + (count == 1 ? " leitura espúria posta de lado" : " leituras espúrias postas de lado") +
           " (3 vezes o pico da queima ou mais, até 3 registros): a maior de " + fixed(largest->thrust, 3) + " N em " +
           shortest(largest->time) + " s; fora do limiar de 5 %, do pico e da classe");
}

// The window the program's case would use, and what it holds.
void place_window(FiringAnalysis& a, std::span<const double> t, const FiringChoice& choice) {
  const Burn& b = *a.burn;
  const std::size_t n = t.size();
  a.rate = measure_rate(t, b.first, b.last);
  if (a.rate.w == 0) a.rate = measure_rate(t, 0, n - 1);
  a.w = choice.w > 0 ? choice.w : a.rate.w;
  a.ti = suggested_ti(t, b);
  a.tf = suggested_tf(t, b);
  const double dt = a.w > 0 ? 1.0 / static_cast<double>(a.w) : 0.0;
  if (a.w > 0 && !b.ends_in_file) {
    // The program's reading ends at a record past the window: keep the last one for that.
    std::size_t i = n - 1;
    while (i > b.first && !past_window(t[n - 1], t[i], dt)) --i;
    a.tf = t[i];
  }
  a.window = a.w > 0 && a.tf > a.ti;
  if (a.window) {
    for (std::size_t i = 0; i < n; ++i) {
      if (in_window(t[i], a.ti, a.tf, dt)) ++a.nmax;
      if (past_window(t[i], a.tf, dt)) break;
    }
  }
}

void find_ejection(FiringAnalysis& a) {
  const Burn& b = *a.burn;
  for (std::size_t i = *a.chosen + 1; i < a.scan.events.size(); ++i) {
    const Event& e = a.scan.events[i];
    if (e.shape == EventShape::spike) continue;
    // Well clear of the noise: a few records just over the threshold are not a charge.
    if (e.impulse < kEjectionShare * a.scan.events[*a.chosen].impulse && e.start - b.end <= kLongestEjectionDelay &&
        e.peak >= 3.0 * a.scan.threshold) {
      a.ejection = i;
      a.ejection_delay = e.start - b.end;
    }
    break;
  }
}

// The events against ZERO (the located burn's spikes set aside), and the
// one chosen among them.
void scan_events(FiringAnalysis& a, std::span<const double> t, std::span<const double> F, const ZeroCorrection& zero,
                 std::size_t lo, std::size_t hi, const FiringChoice& choice) {
  a.burn_zero = zero;
  const Signal s{t, F, zero, a.set_aside};
  a.scan = scan_range(s, zero_noise(a), a.zero, lo, hi, kEventPeakShare);
  const Choice c = choose_event(a.scan.events, choice.event);
  a.chosen = c.chosen;
  a.chosen_by_shape = c.by_shape;
  a.burn_like = c.burn_like;
}

// The burn found against the log's zero stands as found: burn-shaped, no
// spike inside it, its zero on each side the log's.
bool settled(const FiringAnalysis& a, const Event& e) {
  const ZeroCorrection line = zero_line(a, e);
  const double noise = zero_noise(a);
  return a.chosen_by_shape && a.set_aside.empty() && line.after == line.before &&
         std::fabs(line.before - a.zero.zero) <= std::max(3.0 * noise, 0.005 * e.peak);
}

// The burn looked for well above the log's zero, where a zero that differs
// on each side of it, or a spike, cannot join it to the stretches around it;
// the zero on each side of it, and its spikes.
std::optional<Event> locate_burn(FiringAnalysis& a, std::span<const double> t, std::span<const double> F,
                                 std::size_t lo, std::size_t hi) {
  a.zero_before.reset();
  a.zero_after.reset();
  a.spikes.clear();
  a.set_aside.clear();
  const EventScan located = scan_range(constant_zero(t, F, a.zero.zero), a.zero.noise, a.zero, lo, hi, kLocatingShare);
  const Choice where = choose_event(located.events, 0);
  if (!where.chosen) return std::nullopt;
  const Event& e = located.events[*where.chosen];
  measure_sides(a, t, F, located.events, *where.chosen);
  set_spikes_aside(a, Signal{t, F, zero_line(a, e), {}}, e, lo, hi, located, a.zero.zero);
  return e;
}

// Where no burn stands above the zero: the log read mirrored holds one
// when the cell was wired the other way.
bool burn_when_mirrored(std::span<const double> t, std::span<const double> F, const FiringAnalysis& a,
                        const FiringChoice& choice);

FiringAnalysis analyse(std::span<const double> t, std::span<const double> F, const FiringChoice& choice,
                       bool look_mirrored) {
  FiringAnalysis a;
  const std::size_t n = std::min(t.size(), F.size());
  if (n < 2) return a;
  t = t.first(n);
  F = F.first(n);
  std::size_t backward = 0;
  for (std::size_t i = 0; i + 1 < n; ++i) backward += t[i + 1] < t[i];
  if (2 * backward > n - 1) {
    a.times_backward = true;
    return a;
  }
  std::size_t lo = 0;
  std::size_t hi = 0;
  time_range(t, choice, &lo, &hi);
  if (lo > hi || lo >= n) return a;

  a.zero = measure_zero(t, F);
  const Signal ends = constant_zero(t, F, a.zero.zero);
  // First against the log's own zero: on a clean log that is the burn's.
  scan_events(a, t, F, ends.zero, lo, hi, choice);
  std::optional<Event> burn_site;
  if (a.chosen) {
    burn_site = a.scan.events[*a.chosen];
    measure_sides(a, t, F, a.scan.events, *a.chosen);
    set_spikes_aside(a, Signal{t, F, zero_line(a, *burn_site), {}}, *burn_site, lo, hi, a.scan, a.zero.zero);
  }
  if (!burn_site || !settled(a, *burn_site)) {
    burn_site = locate_burn(a, t, F, lo, hi);
    scan_events(a, t, F, burn_site ? zero_line(a, *burn_site) : ends.zero, lo, hi, choice);
  }
  if (a.chosen && ends_in_tail(a, F)) {
    a.tail_to_end = true;
    if (a.zero.end || a.zero_after) {
      // What looked like a zero at the end is the tail: measure again without it.
      a.zero.end.reset();
      a.zero_after.reset();
      if (!a.zero.start) {
        a.zero.zero = 0.0;
        a.zero.measured = false;
        a.zero.noise = step_noise(F, 0, n - 1);
      }
      scan_events(a, t, F, burn_site ? zero_line(a, *burn_site) : constant_zero(t, F, a.zero.zero).zero, lo, hi,
                  choice);
    }
  }
  measure_burn(a, t, F);
  if (a.burn) {
    find_ejection(a);
    place_window(a, t, choice);
    spike_warning(a);
    zero_warnings(a);
  } else {
    a.rate = measure_rate(t, 0, n - 1);
    a.w = choice.w > 0 ? choice.w : a.rate.w;
  }
  if ((!a.burn || !a.chosen_by_shape) && look_mirrored && burn_when_mirrored(t, F, a, choice)) {
    a.inverted = true;
    warn(a, "inverted-cell",
         choice.inverted
             ? "lido espelhado (--inverter), o registro tem uma queima abaixo do zero: leia-o sem --inverter"
             : "o registro tem uma queima abaixo do zero: célula de carga invertida? Leia o empuxo "
               "espelhado com --inverter");
  }
  return a;
}

bool burn_when_mirrored(std::span<const double> t, std::span<const double> F, const FiringAnalysis& a,
                        const FiringChoice& choice) {
  const auto [low, high] = std::minmax_element(F.begin(), F.end());
  const double depth = a.zero.zero - *low;
  const double height = *high - a.zero.zero;
  if (!(depth > kMirroredDepth * height) || !(depth > 6.0 * a.zero.noise)) return false;
  std::vector<double> mirrored(F.begin(), F.end());
  mirror_thrust(mirrored);
  const FiringAnalysis m = analyse(t, mirrored, choice, false);
  return m.burn && m.chosen_by_shape;
}

}  // namespace

FiringAnalysis analyse_firing(std::span<const double> t, std::span<const double> F, const FiringChoice& choice) {
  return analyse(t, F, choice, true);
}

void mirror_thrust(std::span<double> F) {
  for (double& x : F) x = -x;
}

std::string warning_text(const FiringAnalysis& a, std::string_view code) {
  for (const FiringWarning& w : a.warnings) {
    if (w.code == code) return w.text;
  }
  return "";
}
