// The series' document: one firing object per firing, in the order given,
// and "series", the statistics of each figure and the certification checks.
#ifndef TALVIRONESKA_INSPECT_JSON_SERIES_H_
#define TALVIRONESKA_INSPECT_JSON_SERIES_H_

#include <span>
#include <string>

#include "inspect/series/firing.h"
#include "inspect/series/series.h"

std::string series_document(std::span<const Firing> firings, const SeriesSummary& summary);

#endif  // TALVIRONESKA_INSPECT_JSON_SERIES_H_
