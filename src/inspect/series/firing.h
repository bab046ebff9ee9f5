// One firing of a series, read as the program reads it: a case directory
// with its own window, w and M, or a bare thrust data file evaluated over the
// suggested window.
#ifndef TALVIRONESKA_INSPECT_SERIES_FIRING_H_
#define TALVIRONESKA_INSPECT_SERIES_FIRING_H_

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "inspect/engine/engine_curve.h"
#include "inspect/firing/burn.h"
#include "inspect/firing/firing.h"
#include "inspect/program/program_run.h"
#include "inspect/uncertainty/firing_uncertainty.h"

struct Firing {
  std::string argument;  // as given on the command line
  std::string shown;     // the argument in Windows-1252, for the series' files
  std::string name;      // the case name; the file's name for a bare thrust data file (Windows-1252)
  bool from_case = false;
  CaseValues values;  // the window, Fcor, M, w and nmax the figures were made with

  ProgramFigures program;  // the program's own figures over the window; tmax counted from ti

  // The one analysis of the firing's log, and its standard figures (the
  // 5 %-of-peak burn on the measured time scale) with their designation.
  FiringAnalysis analysis;
  std::optional<FiringUncertainty> uncertainty;  // of its burn
  std::string calibration_note;  // UTF-8: why the case's calibration copy was not taken; empty if it was
                                 //   or there is none
  Burn standard;
  BurnClass standard_class;

  // The program's processed curve, its times counted from the 5 % rise: a
  // long one as the means of runs of points, kSeriesCurvePoints at most.
  Curve curve;
  double curve_step = 0.0;  // s, between its points

  // Every file of the firing, which the series must never write over.
  std::vector<std::filesystem::path> files;
  std::filesystem::path log;  // the thrust data file: one firing is one log
};

struct FiringOptions {
  std::int32_t rate = 0;  // w for bare thrust data files; 0: from the median step
  double M = 0.0;         // kg, for bare thrust data files
  bool inverted = false;  // --inverter: the thrust is read mirrored
  StandFigures stand;     // for the budget; a case's calibration copy joins them
};

// Reads the firing named by ARGUMENT into *FIRING. False with *PROBLEM, a
// Portuguese phrase naming the firing, when it cannot be read or the
// program's reading would not end past the window.
bool read_firing(const std::string& argument, const FiringOptions& options, Firing* firing, std::string* problem);

#endif  // TALVIRONESKA_INSPECT_SERIES_FIRING_H_
