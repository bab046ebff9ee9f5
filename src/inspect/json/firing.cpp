#include "inspect/json/firing.h"

#include <cmath>

#include "inspect/json/uncertainty.h"

namespace {

const char* shape_word(EventShape shape) {
  switch (shape) {
    case EventShape::burn: return "burn";
    case EventShape::spike: return "spike";
    case EventShape::ramp: return "ramp";
    case EventShape::humps: return "humps";
  }
  return "";
}

void optional_number(JsonWriter& json, std::string_view key, bool known, double value) {
  if (known) {
    json_number_field(json, key, value);
  } else {
    json_null_field(json, key);
  }
}

void optional_text(JsonWriter& json, std::string_view key, std::string_view text) {
  if (text.empty()) {
    json_null_field(json, key);
  } else {
    json_text_field(json, key, text);
  }
}

void put_burn(JsonWriter& json, const FiringAnalysis& a, double origin, const FiringUncertainty* u) {
  json_key(json, "burn");
  if (!a.burn) return json_null(json);
  const Burn& b = *a.burn;
  json_open_object(json);
  json_number_field(json, "start_s", b.start + origin);
  json_number_field(json, "end_s", b.end + origin);
  json_number_field(json, "burn_time_s", b.duration);
  json_number_field(json, "impulse_Ns", b.It);
  json_number_field(json, "average_thrust_N", b.Fmed);
  json_number_field(json, "peak_N", b.Fmax);
  json_number_field(json, "peak_time_s", b.peak_time + origin);
  optional_text(json, "class", a.burn_class.motor_class ? a.burn_class.motor_class->letter : "");
  optional_text(json, "designation", a.burn_class.designation);
  put_burn_uncertainty_fields(json, u);
  json_close_object(json);
}

void put_zero(JsonWriter& json, const FiringAnalysis& a) {
  const bool both = a.zero_before && a.zero_after;
  json_key(json, "zero");
  json_open_object(json);
  optional_number(json, "before_N", a.zero_before.has_value(), a.zero_before ? a.zero_before->mean : 0.0);
  optional_number(json, "after_N", a.zero_after.has_value(), a.zero_after ? a.zero_after->mean : 0.0);
  optional_number(json, "shift_N", both, a.zero_shift);
  optional_number(json, "shift_effect_Ns", both, a.shift_effect);
  json_close_object(json);
}

void put_events(JsonWriter& json, const FiringAnalysis& a, double origin) {
  json_key(json, "events");
  json_open_array(json);
  for (const Event& e : a.scan.events) {
    json_open_object(json);
    json_number_field(json, "start_s", e.start + origin);
    json_number_field(json, "end_s", e.end + origin);
    json_integer_field(json, "records", static_cast<std::int64_t>(e.records()));
    json_number_field(json, "peak_N", e.peak);
    json_number_field(json, "impulse_Ns", e.impulse);
    json_text_field(json, "shape", shape_word(e.shape));
    json_close_object(json);
  }
  json_close_array(json);
  json_key(json, "spikes");
  json_open_array(json);
  for (const SpikeRecord& s : a.spikes) {
    json_open_object(json);
    json_number_field(json, "time_s", s.time + origin);
    json_number_field(json, "thrust_N", s.thrust);
    json_close_object(json);
  }
  json_close_array(json);
}

void put_program(JsonWriter& json, const std::optional<ProgramWindow>& program, const FiringUncertainty* u) {
  json_key(json, "program");
  if (!program) return json_null(json);
  const ProgramFigures& f = program->figures;
  json_open_object(json);
  json_number_field(json, "ti_s", program->ti);
  json_number_field(json, "tf_s", program->tf);
  json_integer_field(json, "nc", f.nc);
  json_number_field(json, "It_Ns", f.It);
  json_number_field(json, "Fmed_N", f.Fmed);
  json_number_field(json, "tq_s", f.tq);
  json_number_field(json, "Fmax_N", f.Fmax);
  json_number_field(json, "tmax_s", f.tmax);
  json_number_field(json, "Fmin_N", f.Fmin);
  json_number_field(json, "Is_s", f.Is);
  if (u != nullptr && program->M > 0.0 && std::isfinite(f.Is)) {
    json_number_field(json, "Is_U_s", specific_impulse_U(*u, f.Is, program->M));
  } else {
    json_null_field(json, "Is_U_s");
  }
  optional_text(json, "classe", f.classe);
  json_close_object(json);
}

}  // namespace

void put_firing_json(JsonWriter& json, const FiringAnalysis& a, const FiringJsonContext& context,
                     const ReferenceJson* reference) {
  const double origin = context.time_origin.value_or(0.0);
  json_open_object(json);
  json_text_field(json, "source", context.source);
  if (context.time_origin) json_number_field(json, "time_origin_s", *context.time_origin);
  put_burn(json, a, origin, context.uncertainty);
  put_zero(json, a);
  optional_number(json, "rate_Hz", a.rate.measured > 0.0, a.rate.measured);
  if (a.w > 0) {
    json_integer_field(json, "w", a.w);
  } else {
    json_null_field(json, "w");
  }
  put_events(json, a, origin);
  put_program(json, context.program, context.uncertainty);
  put_uncertainty_json(json, context.uncertainty);
  json_key(json, "warnings");
  json_open_array(json);
  for (const FiringWarning& w : a.warnings) {
    json_open_object(json);
    json_text_field(json, "code", w.code);
    json_text_field(json, "text", w.text);
    json_close_object(json);
  }
  json_close_array(json);
  if (reference != nullptr) put_reference_json(json, reference->source, reference->comparison);
  json_close_object(json);
}

void put_reference_json(JsonWriter& json, std::string_view source, const CurveComparison& c) {
  json_key(json, "reference");
  json_open_object(json);
  json_text_field(json, "source", source);
  json_number_field(json, "impulse_Ns", c.reference.It);
  json_text_field(json, "designation", c.reference.designation);
  json_number_field(json, "impulse_difference_pct", c.It_pct);
  json_number_field(json, "average_thrust_difference_pct", c.Fmed_pct);
  json_number_field(json, "peak_difference_pct", c.Fmax_pct);
  json_number_field(json, "burn_time_difference_pct", c.duration_pct);
  json_number_field(json, "rms_difference_N", c.rms);
  json_close_object(json);
}

void open_json_document(JsonWriter& json, std::string_view command) {
  json_open_object(json);
  json_integer_field(json, "version", kJsonVersion);
  json_text_field(json, "command", command);
}

std::string json_error_document(std::string_view command, std::string_view code, std::string_view text) {
  JsonWriter json;
  open_json_document(json, command);
  json_key(json, "error");
  json_open_object(json);
  json_text_field(json, "code", code);
  json_text_field(json, "text", text);
  json_close_object(json);
  json_key(json, "firings");
  json_open_array(json);
  json_close_array(json);
  json_close_object(json);
  return std::move(json.text);
}
