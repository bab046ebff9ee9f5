#include "input/general_data.h"

#include "input/read_items.h"

void read_general_data(RunContext& rc) {
  Unit unit(kUnitGeneralData, kGeneralDataFileName, OpenMode::read);
  ListReader reader(unit);
  read_items(unit, reader, {text_item(rc.parameter_file_name)});
  unit.close();
}
