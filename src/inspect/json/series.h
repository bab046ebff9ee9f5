// The series' document: one firing object per firing, in the order given,
// and "series", the statistics of each figure and the certification checks.
#ifndef TALVIRONESKA_INSPECT_JSON_SERIES_H_
#define TALVIRONESKA_INSPECT_JSON_SERIES_H_

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "inspect/engine/comparison.h"
#include "inspect/series/firing.h"
#include "inspect/series/series.h"

// With a COMPARISON, "series" holds "reference": the mean curve against the
// published curve REFERENCE_SOURCE.
std::string series_document(std::span<const Firing> firings, const SeriesSummary& summary,
                            std::string_view reference_source = {},
                            const std::optional<CurveComparison>& comparison = std::nullopt);

#endif  // TALVIRONESKA_INSPECT_JSON_SERIES_H_
