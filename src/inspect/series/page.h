// The series' page, serie.html: the overlay of the curves, the figures of
// each firing, the means with their standard deviations and the
// certification checks, as one self-contained page (see report/page.h).
#ifndef TALVIRONESKA_INSPECT_SERIES_PAGE_H_
#define TALVIRONESKA_INSPECT_SERIES_PAGE_H_

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "inspect/report/page.h"
#include "inspect/series/firing.h"
#include "inspect/series/series.h"

struct SeriesPage {
  std::span<const Firing> firings;
  const SeriesSummary* summary = nullptr;
  std::string svg;      // the overlay; empty when not drawn
  std::string no_plot;  // UTF-8: why, and how to get it
  std::vector<PageLink> links;
  std::string reference_file;                // Windows-1252, as given; empty: no comparison
  std::optional<CurveComparison> reference;  // the mean curve against that published curve
};

// The page's bytes, UTF-8. Every number is marked with the name of its value
// in serie's --json document, from the document's top ("series.program.It_Ns.mean",
// "firings.2.burn.impulse_Ns").
std::string series_page_html(const SeriesPage& page);

#endif  // TALVIRONESKA_INSPECT_SERIES_PAGE_H_
