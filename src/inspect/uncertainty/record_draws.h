// The burn's impulse found again on its records perturbed by the budget's
// terms, for the chance of each class: every draw scales the records (the
// calibration's terms), moves their zero (the zero, its shift, the cell's
// bounds), adds noise to each reading and stretches the stamps (the clock or
// the nominal rate), then takes the 5 % crossings of the new peak and the
// trapezoid between them as the analysis does. The terms that are not a
// change of the records (the integration, the gaps, the weight under
// --vertical) are drawn as an offset of the impulse.
//
// A burn of a few thousand records is rerun whole, on find_burn itself,
// with fresh noise on every record. On a longer one only what a draw can
// move is drawn: the records that may hold the peak one by one, each with
// its noise; the trapezoid, linear in the records, with its noise as one
// normal draw of the same spread. Around each crossing the records keep
// the noise they hold: the threshold and the zero drawn move the crossing
// through them, found by a search on their running largest thrust. (A slow
// tail-off at a high rate crosses the threshold over a hundred thousand
// records: noise drawn on each of them would cost that on every draw.)
#ifndef TALVIRONESKA_INSPECT_UNCERTAINTY_RECORD_DRAWS_H_
#define TALVIRONESKA_INSPECT_UNCERTAINTY_RECORD_DRAWS_H_

#include <cstddef>
#include <span>
#include <vector>

#include "inspect/firing/firing.h"
#include "inspect/uncertainty/budget.h"
#include "inspect/uncertainty/draws.h"

// What one draw moves: each given term of the budget drawn once, by kind.
struct TermDraw {
  double scale = 0.0;    // relative change of every force
  double offset = 0.0;   // N added to every force
  double stretch = 0.0;  // relative change of every step of the stamps
  double impulse = 0.0;  // N s added to the impulse
};

// A stretch of records: their thrusts above the zero.
struct DrawnRecords {
  std::size_t first = 0;
  std::vector<double> y;  // N, records first, first + 1, ...
};

// The records around a crossing with their trapezoid's sums.
struct CrossingWindow {
  DrawnRecords records;
  std::size_t from = 0;      // the records the crossing may fall on, as indices into records.y
  std::size_t to = 0;        //   (the one before and after stay for the interpolation)
  std::vector<double> most;  // N: the largest thrust from `from` up to each index (the start's),
                             //   or from each index up to `to` (the end's)
  std::vector<double> yw;    // N s, s, s^2: sums over indices [0, i) of y w, w and w^2,
  std::vector<double> w;     //   w a record's trapezoid weight inside a run
  std::vector<double> w2;
};

// The burn's records as the draws need them.
struct RecordModel {
  std::span<const double> t;  // the log's stamps
  std::size_t n = 0;          // records in the log
  std::size_t from = 0;       // the event the burn was found in
  std::size_t to = 0;
  double noise = 0.0;    // N, of one reading
  bool whole = false;    // rerun find_burn on every record of the event
  DrawnRecords records;  // whole: records [from - 1, to + 1] within the log
  // Otherwise: the records around the start and the end, those that may
  // hold the peak, and the sums over the records between them.
  CrossingWindow start;
  CrossingWindow end;
  std::vector<std::size_t> peak;
  std::vector<double> peak_y;
  std::vector<double> peak_w;  // their trapezoid weights, s
  double core_yw = 0.0;        // N s: the trapezoid of the records between the windows
  double core_w = 0.0;         // s: its weights' sum
  double core_w2 = 0.0;        // s^2: its weights' squares, but the peak's
  std::vector<double> buffer;  // a draw's records
};

// The model of A's burn (A must hold one) over records (T, F) for BUDGET.
RecordModel record_model(std::span<const double> t, std::span<const double> F, const FiringAnalysis& a,
                         const Budget& budget);

// BUDGET's given terms drawn once from RANDOM, in their order.
TermDraw draw_terms(const Budget& budget, double It, double duration, Draws& random);

// The burn's impulse on the records of M moved by D, with fresh noise from
// RANDOM; 0 when the draw leaves no burn.
double redrawn_impulse(RecordModel& m, const TermDraw& d, Draws& random);

#endif  // TALVIRONESKA_INSPECT_UNCERTAINTY_RECORD_DRAWS_H_
