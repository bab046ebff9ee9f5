// A firing's uncertainty in the JSON document: the expanded uncertainties
// beside the burn's figures, the budget's terms and the classes' chances.
#ifndef TALVIRONESKA_INSPECT_JSON_UNCERTAINTY_H_
#define TALVIRONESKA_INSPECT_JSON_UNCERTAINTY_H_

#include "inspect/json/writer.h"
#include "inspect/uncertainty/firing_uncertainty.h"

// Inside "burn": "impulse_U_Ns", "average_thrust_U_N", "peak_U_N",
// "burn_time_U_s" and "vertical_correction_Ns"; each null without U (U is
// null: the keys stay for scripts).
void put_burn_uncertainty_fields(JsonWriter& json, const FiringUncertainty* u);

// The firing's "uncertainty" ({"k", "complete", "missing", "terms": [{"name",
// "u_Ns", "share"}]}) and "class_probability" ({"F": 0.93, "G": 0.07}, or
// null when the interval stays in one class); both null without U.
void put_uncertainty_json(JsonWriter& json, const FiringUncertainty* u);

#endif  // TALVIRONESKA_INSPECT_JSON_UNCERTAINTY_H_
