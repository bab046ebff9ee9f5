#include "inspect/uncertainty/draws.h"

#include <cmath>

double Draws::normal() {
  if (held_) {
    held_ = false;
    return spare_;
  }
  double x = 0.0;
  double y = 0.0;
  double s = 0.0;
  do {
    x = symmetric();
    y = symmetric();
    s = x * x + y * y;
  } while (s >= 1.0 || s == 0.0);
  const double m = std::sqrt(-2.0 * std::log(s) / s);
  spare_ = y * m;
  held_ = true;
  return x * m;
}
