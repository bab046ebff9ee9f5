#include "input/thrust_data.h"

#include <string>

#include "input/list_reader.h"
#include "input/thrust_window.h"
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
    const RecordStep step = take_record(rc, tlido, Flido);
    if (step == RecordStep::arrays_full) {
      const std::string place = file_error_text(kErrTooManyPoints, kUnitThrustData, unit.name());
      throw_severe(kErrTooManyPoints, "more than " + std::to_string(rc.nmax) +
                                          " points inside the time window (nmax), " +
                                          place.substr(place.find("unit ")));
    }
    if (step == RecordStep::end_reading) break;
  }
  unit.close();
}
