#include "tools/inspect/burn_adapter.h"

#include "tools/inspect/burn.h"
#include "tools/inspect/motor_class.h"

std::optional<StandardFigures> standard_figures(std::span<const ThrustRecord> records) {
  const std::optional<Burn> burn = find_burn(records);
  if (!burn) return std::nullopt;
  StandardFigures s;
  s.start = burn->start;
  s.duration = burn->duration;
  s.It = burn->It;
  s.Fmed = burn->Fmed;
  s.designation = designation_of(burn->It, burn->Fmed);
  s.ti = suggested_ti(records, *burn);
  s.tf = suggested_tf(records, *burn);
  return s;
}

std::string designation_of(double It, double Fmed) {
  const std::optional<MotorClass> c = motor_class(It);
  return c ? designation(*c, Fmed) : std::string();
}
