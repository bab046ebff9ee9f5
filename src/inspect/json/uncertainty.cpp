#include "inspect/json/uncertainty.h"

#include <algorithm>
#include <cstring>

void put_burn_uncertainty_fields(JsonWriter& json, const FiringUncertainty* budget) {
  if (budget == nullptr) {
    for (const char* key :
         {"impulse_U_Ns", "average_thrust_U_N", "peak_U_N", "burn_time_U_s", "vertical_correction_Ns"}) {
      json_null_field(json, key);
    }
    return;
  }
  const FiringUncertainty& u = *budget;
  json_number_field(json, "impulse_U_Ns", u.budget.U);
  json_number_field(json, "average_thrust_U_N", u.budget.U_Fmed);
  json_number_field(json, "peak_U_N", u.budget.U_Fmax);
  json_number_field(json, "burn_time_U_s", u.budget.U_tq);
  // Under --vertical, what the impulse lacks of the propellant's weight: the
  // impulse U is stated for is impulse_Ns plus this; null without the mass.
  const auto vertical = std::find_if(u.budget.terms.begin(), u.budget.terms.end(),
                                     [](const BudgetTerm& t) { return std::strcmp(t.name, "vertical") == 0; });
  if (vertical != u.budget.terms.end() && vertical->given) {
    json_number_field(json, "vertical_correction_Ns", u.budget.vertical_correction);
  } else {
    json_null_field(json, "vertical_correction_Ns");
  }
}

void put_uncertainty_json(JsonWriter& json, const FiringUncertainty* u) {
  if (u == nullptr) {
    json_null_field(json, "uncertainty");
    json_null_field(json, "class_probability");
    return;
  }
  const Budget& b = u->budget;
  json_key(json, "uncertainty");
  json_open_object(json);
  json_number_field(json, "k", b.k);
  json_key(json, "complete");
  json_bool(json, b.complete);
  json_key(json, "missing");
  json_open_array(json);
  for (const std::string& name : b.missing) json_text(json, name);
  json_close_array(json);
  json_key(json, "terms");
  json_open_array(json);
  for (const BudgetTerm& term : b.terms) {
    json_open_object(json);
    json_text_field(json, "name", term.name);
    if (term.given) {
      json_number_field(json, "u_Ns", term.u);
      json_number_field(json, "share", term.share);
    } else {
      json_null_field(json, "u_Ns");
      json_null_field(json, "share");
    }
    json_close_object(json);
  }
  json_close_array(json);
  json_close_object(json);
  if (u->classes.empty()) {
    json_null_field(json, "class_probability");
    return;
  }
  json_key(json, "class_probability");
  json_open_object(json);
  for (const ClassChance& c : u->classes) json_number_field(json, c.letter, c.probability);
  json_close_object(json);
}
