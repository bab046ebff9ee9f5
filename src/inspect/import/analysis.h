// The companion's analysis of converted records, in the one place the
// import reaches it: the burn, the zero before and after it, the suggested
// window and what the program makes of it.
#ifndef TALVIRONESKA_INSPECT_IMPORT_ANALYSIS_H_
#define TALVIRONESKA_INSPECT_IMPORT_ANALYSIS_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/run_context.h"
#include "inspect/firing/zero_level.h"
#include "inspect/log/record.h"
#include "inspect/program/program_run.h"

struct ConvertedAnalysis {
  bool burn = false;        // a thrust above zero was found
  double burn_start = 0.0;  // s, the interpolated crossings of 5 % of the peak
  double burn_end = 0.0;
  bool ends_in_file = false;  // the thrust falls below 5 % of the peak before the last record
  double Fmax = 0.0;
  std::optional<QuietStretch> before;  // the zero before ignition and after burn-out
  std::optional<QuietStretch> after;
  // The case: ti at the burn's first record, tf at the first record below
  // 5 % after it (the last but one when the burn runs to the end, so that a
  // record beyond the window remains), nmax the records inside it.
  double ti = 0.0;
  double tf = 0.0;
  std::int32_t nmax = 0;
  double It = 0.0;  // the program's own It over the window, with w and Fcor = 0
  std::string classe;
  std::size_t gaps = 0;  // steps longer than 1.5 / w
  double largest_gap = 0.0;
  double first_gap_time = 0.0;
};

// RECORDS (at least two, increasing times) as the program would read them
// with the rate W and the propellant mass M.
ConvertedAnalysis analyse_converted(std::span<const ThrustRecord> records, std::int32_t w, double M);

// The program's figures over the window of VALUES (Fcor 0, times counted
// from ti) on RECORDS, the thrust data of the case written.
ProgramFigures case_figures(std::span<const ThrustRecord> records, const CaseValues& values);

#endif  // TALVIRONESKA_INSPECT_IMPORT_ANALYSIS_H_
