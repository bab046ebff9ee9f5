// The machine-readable form of the commands' results: one JSON document per
// run, with one object per firing analysed, the same for every command.
// The names are a contract with users' scripts: fields may be added, never
// renamed (the manual page lists them).
#ifndef TALVIRONESKA_INSPECT_JSON_FIRING_H_
#define TALVIRONESKA_INSPECT_JSON_FIRING_H_

#include <optional>
#include <string>
#include <string_view>

#include "inspect/engine/comparison.h"
#include "inspect/firing/firing.h"
#include "inspect/json/writer.h"
#include "inspect/program/program_run.h"
#include "inspect/uncertainty/firing_uncertainty.h"

inline constexpr int kJsonVersion = 1;

// The program's figures over a case's window, as its report prints them.
struct ProgramWindow {
  double ti = 0.0;  // s, the case's
  double tf = 0.0;
  ProgramFigures figures;
  double M = 0.0;  // kg, the case's propellant mass, for the uncertainty of Is
};

// What a command knows of a firing beyond its analysis.
struct FiringJsonContext {
  std::string_view source;                         // the log's or the case's name, as the report shows it
  std::optional<ProgramWindow> program;            // where a case's window exists
  std::optional<double> time_origin;               // s, the import's: the stamp that is 0 s in the analysed times
  const FiringUncertainty* uncertainty = nullptr;  // the burn's, where the command made its budget
};

// "reference": the comparison C with the published curve SOURCE: its
// impulse and designation, and the firing's differences from it.
void put_reference_json(JsonWriter& json, std::string_view source, const CurveComparison& c);

// The firing against a published curve, when asked for.
struct ReferenceJson {
  std::string_view source;  // the curve's file, as the report shows it
  const CurveComparison& comparison;
};

// The firing's object: "source", "burn", "zero", "rate_Hz", "w", "events",
// "spikes", "program" (null without a case window), "warnings", with a
// time origin, "time_origin_s" and, with a REFERENCE, "reference". Times
// are on the log's own stamps: A's times plus the time origin.
void put_firing_json(JsonWriter& json, const FiringAnalysis& a, const FiringJsonContext& context,
                     const ReferenceJson* reference = nullptr);

// Opens the document and writes "version" and "command"; the caller writes
// "firings" (and what else the command has) and closes it.
void open_json_document(JsonWriter& json, std::string_view command);

// The whole document of a run that ended in exit 2: "error" with its stable
// CODE and its TEXT, and no firings.
std::string json_error_document(std::string_view command, std::string_view code, std::string_view text);

#endif  // TALVIRONESKA_INSPECT_JSON_FIRING_H_
