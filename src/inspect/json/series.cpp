#include "inspect/json/series.h"

#include <optional>
#include <vector>

#include "inspect/common/native_name.h"
#include "inspect/json/firing.h"
#include "inspect/json/writer.h"

namespace {

const char* check_word(CheckKind kind) {
  switch (kind) {
    case CheckKind::impulse_spread: return "impulse-spread";
    case CheckKind::lot_limit: return "lot-limit";
    case CheckKind::firing_count: return "firing-count";
    case CheckKind::model_impulse: return "model-impulse";
    case CheckKind::model_thrust: return "model-thrust";
    case CheckKind::model_propellant: return "model-propellant";
  }
  return "";
}

const char* outcome_word(CheckOutcome outcome) {
  switch (outcome) {
    case CheckOutcome::passed: return "passed";
    case CheckOutcome::failed: return "failed";
    case CheckOutcome::not_applicable: return "not-applicable";
  }
  return "";
}

void put_stats(JsonWriter& json, std::string_view key, const FigureStats& stats) {
  json_key(json, key);
  json_open_object(json);
  json_number_field(json, "mean", stats.mean);
  json_number_field(json, "sample_sd", stats.sd);
  json_number_field(json, "population_sd", stats.sd_population);
  json_close_object(json);
}

void put_checks(JsonWriter& json, const Certification& certification) {
  json_key(json, "model_motor");
  json_bool(json, certification.model_motor);
  json_key(json, "checks");
  json_open_array(json);
  for (const Check& c : certification.checks) {
    json_open_object(json);
    json_text_field(json, "check", check_word(c.kind));
    json_number_field(json, "value", c.value);
    json_number_field(json, "limit", c.limit);
    json_text_field(json, "result", outcome_word(c.outcome));
    json_key(json, "failing");  // the firings, counted from 1 in the order given
    json_open_array(json);
    for (const std::size_t i : c.failing) json_integer(json, static_cast<std::int64_t>(i) + 1);
    json_close_array(json);
    json_close_object(json);
  }
  json_close_array(json);
  json_key(json, "passed");
  json_bool(json, certification.passed());
}

void put_series(JsonWriter& json, std::size_t count, const SeriesSummary& s, const std::optional<MeanUncertainty>& mean,
                std::string_view reference_source, const std::optional<CurveComparison>& comparison) {
  json_key(json, "series");
  json_open_object(json);
  json_integer_field(json, "count", static_cast<std::int64_t>(count));
  json_key(json, "program");
  json_open_object(json);
  put_stats(json, "It_Ns", s.It);
  put_stats(json, "Fmed_N", s.Fmed);
  put_stats(json, "tq_s", s.tq);
  put_stats(json, "Fmax_N", s.Fmax);
  put_stats(json, "tmax_s", s.tmax);
  put_stats(json, "Is_s", s.Is);
  json_close_object(json);
  json_key(json, "burn");
  json_open_object(json);
  put_stats(json, "burn_time_s", s.duration);
  put_stats(json, "impulse_Ns", s.It5);
  put_stats(json, "average_thrust_N", s.Fmed5);
  // The mean impulse's expanded uncertainty; null unless every firing has a budget.
  if (mean) {
    json_number_field(json, "impulse_mean_U_Ns", mean->U);
  } else {
    json_null_field(json, "impulse_mean_U_Ns");
  }
  json_close_object(json);
  if (s.designation.empty()) {
    json_null_field(json, "designation");
  } else {
    json_text_field(json, "designation", s.designation);
  }
  put_checks(json, s.certification);
  if (comparison) put_reference_json(json, reference_source, *comparison);
  json_close_object(json);
}

}  // namespace

std::string series_document(std::span<const Firing> firings, const SeriesSummary& summary,
                            std::string_view reference_source, const std::optional<CurveComparison>& comparison) {
  JsonWriter json;
  open_json_document(json, "series");
  json_key(json, "firings");
  json_open_array(json);
  std::vector<const FiringUncertainty*> budgets;
  for (const Firing& f : firings) {
    if (f.uncertainty) budgets.push_back(&*f.uncertainty);
    const std::string source = console_name(f.argument);
    put_firing_json(json, f.analysis,
                    {source, ProgramWindow{f.values.ti, f.values.tf, f.program, f.values.M}, std::nullopt,
                     f.uncertainty ? &*f.uncertainty : nullptr});
  }
  json_close_array(json);
  std::optional<MeanUncertainty> mean;
  if (!firings.empty() && budgets.size() == firings.size()) mean = mean_impulse_uncertainty(budgets);
  put_series(json, firings.size(), summary, mean, reference_source, comparison);
  json_close_object(json);
  return std::move(json.text);
}
