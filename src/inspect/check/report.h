// The check's report: numbered sections of lines, warnings counted.
#ifndef TALVIRONESKA_INSPECT_CHECK_REPORT_H_
#define TALVIRONESKA_INSPECT_CHECK_REPORT_H_

#include <optional>
#include <string>
#include <string_view>

#include "inspect/check/inspection.h"
#include "inspect/common/outcome.h"
#include "inspect/program/window.h"

// A window with what the program's reading and figures make of it.
struct WindowCheck {
  CaseValues values;
  WindowReading reading;
  LeftOut left_out;                       // of the chosen event
  std::optional<PrintedFigures> figures;  // when the reading ends past the window
  std::uint32_t end_line = 0;             // line and time of the record that ends the reading
  double end_time = 0.0;
};

// Everything the sections print.
struct Inspection {
  const InspectInput& in;
  const FiringAnalysis& a;
  WindowCheck suggested;
  std::optional<WindowCheck> user;  // the case's window
  double tare = 0.0;                // the zero level, when clearly off 0
  std::size_t gaps_in_window = 0;   // of the suggested window
  double last_level = 0.0;          // N, median of the log's last records
  const FiringUncertainty* uncertainty = nullptr;
};

void report_file(Report& out, const InspectInput& in);
void report_events(Report& out, const Inspection& s);
void report_sampling(Report& out, const Inspection& s, const Sampling& sampling);
void report_zero(Report& out, const Inspection& s);
void report_figures(Report& out, const Inspection& s);
void report_window(Report& out, const Inspection& s);
void report_case(Report& out, const Inspection& s);

// Above this share the fixed step's impulse error is a warning.
inline constexpr double kImpulseErrorPercent = 1.0;

// True when the fixed-step impulse of R's records at the rate OTHER (not W,
// that of R) is within kImpulseErrorPercent of the impulse by their stamps.
bool keeps_impulse(const WindowReading& r, std::int32_t w, std::int32_t other);

// "2.126", "+5.6 %", "1.000 ms" and the like, as the sections print them.
std::string ms(double seconds);
// Called as ::quoted where std::quoted is in sight, which a std::string
// argument would pick.
std::string quoted(std::string_view line);
std::string program_figures_text(const ProgramFigures& f);
// Where and how the program's reading of C's window ends.
std::string program_end(const InspectInput& in, const WindowCheck& c);

#endif  // TALVIRONESKA_INSPECT_CHECK_REPORT_H_
