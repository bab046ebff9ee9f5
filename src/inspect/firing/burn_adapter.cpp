#include "inspect/firing/burn_adapter.h"

#include "inspect/firing/burn.h"
#include "inspect/firing/motor_class.h"

std::optional<StandardFigures> standard_figures(std::span<const double> t, std::span<const double> F) {
  const std::optional<Burn> burn = find_burn(t, F);
  if (!burn) return std::nullopt;
  StandardFigures s;
  s.start = burn->start;
  s.duration = burn->duration;
  s.It = burn->It;
  s.Fmed = burn->Fmed;
  s.designation = designation_of(burn->It, burn->Fmed);
  s.ti = suggested_ti(t, *burn);
  s.tf = suggested_tf(t, *burn);
  return s;
}

std::string designation_of(double It, double Fmed) {
  const std::optional<MotorClass> c = motor_class(It);
  return c ? designation(*c, Fmed) : std::string();
}
