// The case's page: one self-contained HTML file in Portuguese (no script,
// no address outside it), which any browser opens and prints on A4.
#ifndef TALVIRONESKA_INSPECT_REPORT_PAGE_H_
#define TALVIRONESKA_INSPECT_REPORT_PAGE_H_

#include <optional>
#include <string>
#include <vector>

#include "inspect/engine/comparison.h"
#include "inspect/firing/firing.h"
#include "inspect/json/firing.h"
#include "inspect/report/options.h"
#include "inspect/uncertainty/firing_uncertainty.h"

// A file of the case the page links to.
struct PageLink {
  std::string name;  // Windows-1252, relative to the page's folder
  std::string what;  // the companion's own text, UTF-8
};

struct ReportPage {
  std::string case_name;    // the trimmed case name, Windows-1252
  std::string title;        // the case's trimmed title, Windows-1252
  std::string thrust_file;  // the thrust data file's name, Windows-1252
  ReportDetails details;    // Windows-1252
  const FiringAnalysis* firing = nullptr;
  const FiringUncertainty* uncertainty = nullptr;  // the burn's U and the classes' chances; null: none
  std::optional<ProgramWindow> program;            // the program's figures on the case's window
  std::vector<std::string> warnings;               // the check's warnings, UTF-8
  std::string calibration;          // the case's copy of the load cell's calibration (Windows-1252); empty: none
  std::string program_report_note;  // UTF-8: the program's report is missing or old; empty when current
  std::string svg;                  // the plot; empty when there is none
  std::string no_plot;              // UTF-8: why, and how to get it
  std::vector<PageLink> links;
  std::string reference_file;                // Windows-1252, as given; empty: no comparison
  std::optional<CurveComparison> reference;  // the burn against that published curve
};

// The page's bytes, UTF-8. Every number is the --json value of the same
// name (see json_figure), every text from the case through html_text().
std::string report_page_html(const ReportPage& page);

// The page's head and style: TITLE is HTML text already.
std::string page_head(const std::string& title);

// NAME (Windows-1252), a file in the page's folder, as a link's address:
// "./" and the name's UTF-8 bytes, percent-encoded but for letters, digits
// and "-._~".
std::string page_href(const std::string& name);

#endif  // TALVIRONESKA_INSPECT_REPORT_PAGE_H_
