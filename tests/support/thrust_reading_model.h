// The thrust data reading done plainly, for checking the real one: the
// general list-directed read of two reals, record after record, decimal
// commas refused as the program refuses them, and the window rule as
// written. Used by the unit tests and the fuzz target.
#ifndef TALVIRONESKA_TESTS_SUPPORT_THRUST_READING_MODEL_H_
#define TALVIRONESKA_TESTS_SUPPORT_THRUST_READING_MODEL_H_

#include <cstdint>
#include <string_view>
#include <vector>

#include "input/list_reader.h"
#include "io/severe_error.h"

struct ThrustReading {
  int error = 0;  // the severe error number, 0 when the reading ended well
  std::vector<double> F;
  double Fmax = 0.0;
  double tmax = 0.0;
  double Fmin = 0.0;
};

inline ThrustReading model_thrust_reading(std::string_view bytes, double ti, double tf, std::int32_t w, double Fcor,
                                          std::int32_t nmax) {
  const double dt = 1.0 / w;
  const double low = ti - (dt / 2.0);
  const double high = (dt / 2.0) + tf;
  StringLines lines(bytes);
  ListReader reader(lines, DecimalCommas::refused);
  double tlido = 0.0, Flido = 0.0;
  const ReadItem items[] = {real_item(&tlido), real_item(&Flido)};
  ThrustReading out;
  for (;;) {
    if (const ReadError error = reader.read(items); error != ReadError::none) {
      out.error = severe_number(error);
      return out;
    }
    if (tlido > low && tlido < high) {
      if (static_cast<std::int64_t>(out.F.size()) >= nmax) {
        out.error = kErrTooManyPoints;
        return out;
      }
      const double F = Flido < Fcor ? Fcor : Flido;
      if (out.F.empty() || F < out.Fmin) out.Fmin = F;
      if (F > out.Fmax) {
        out.Fmax = F;
        out.tmax = tlido;
      }
      out.F.push_back(F);
    }
    if (tlido > high) return out;
  }
}

#endif  // TALVIRONESKA_TESTS_SUPPORT_THRUST_READING_MODEL_H_
