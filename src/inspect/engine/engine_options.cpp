#include "inspect/engine/engine_options.h"

bool engine_values_given(const EngineRequest& r) {
  return r.diameter > 0.0 || r.length > 0.0 || r.total_mass || r.propellant_mass || r.delays || r.maker;
}

std::string engine_request_problem(const EngineRequest& r, bool writes, const std::string& files) {
  if (!writes) {
    return engine_values_given(r)
               ? "--diametro, --comprimento, as massas, --atrasos e --fabricante só valem com " + files
               : "";
  }
  if (!(r.diameter >= kEngMinSizeMm) || !(r.length >= kEngMinSizeMm)) {
    return files +
           " pede o diâmetro e o comprimento do motor em mm, 1 mm ou mais (--diametro MM --comprimento MM): "
           "os simuladores de voo recusam motores menores";
  }
  if (!r.total_mass) return files + " pede a massa total do motor em kg (--massa-total KG)";
  if (r.propellant_mass && !(*r.propellant_mass < *r.total_mass)) {
    return "a massa de propelente deve ser menor que a massa total do motor";
  }
  if (r.delays && !valid_delays(*r.delays)) {
    return "--atrasos pede os atrasos de ejeção em segundos ligados por '-' (4-6-8) ou P (motor sem ejeção), "
           "não \"" +
           *r.delays + "\"";
  }
  if (r.maker && !valid_maker(*r.maker)) {
    return "--fabricante pede um nome de até 32 letras, algarismos ou sinais ASCII, sem espaços, aspas nem ';'";
  }
  return "";
}

EngineMotor requested_motor(const EngineRequest& r, const std::string& designation, double propellant) {
  EngineMotor m;
  m.designation = designation;
  m.diameter = r.diameter;
  m.length = r.length;
  m.propellant_mass = r.propellant_mass.value_or(propellant);
  m.total_mass = r.total_mass.value_or(0.0);
  if (r.delays) m.delays = *r.delays;
  if (r.maker) m.maker = *r.maker;
  return m;
}
