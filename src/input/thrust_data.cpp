#include "input/thrust_data.h"

#include <string>

#include "analysis/curve.h"
#include "input/list_reader.h"
#include "io/severe_error.h"
#include "io/unit.h"
#include "run/trimmed.h"

void read_thrust_data(RunContext& rc) {
  Unit unit(kUnitThrustData, trimmed(rc.original), OpenMode::read);
  ListReader reader(unit);
  double tlido = 0.0;
  double Flido = 0.0;
  for (;;) {
    const ReadError error = reader.read_pair(&tlido, &Flido);
    if (error != ReadError::none) unit.fail(severe_number(error));
    // The window is half a sample wider than [ti, tf] on each side, so a
    // sample taken at ti or tf is kept; the bounds are formed as written.
    if (tlido > rc.ti - (rc.dt / 2.0) && tlido < (rc.dt / 2.0) + rc.tf) {
      if (!keep_point(rc, tlido, Flido)) {
        const std::string place = file_error_text(kErrTooManyPoints, kUnitThrustData, unit.name());
        throw_severe(kErrTooManyPoints, "more than " + std::to_string(rc.nmax) +
                                            " points inside the time window (nmax), " +
                                            place.substr(place.find("unit ")));
      }
    }
    if (tlido > (rc.dt / 2.0) + rc.tf) break;
  }
  unit.close();
}
