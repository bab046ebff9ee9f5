#include "input/case_params.h"

#include "core/trimmed.h"
#include "input/read_items.h"

void read_case_params(RunContext& rc) {
  Unit unit(kUnitCaseParams, trimmed(rc.parameter_file_name), OpenMode::read);
  ListReader reader(unit, DecimalCommas::refused);
  read_items(unit, reader, {text_item(rc.original)});
  read_items(unit, reader, {real_item(&rc.ti)});
  read_items(unit, reader, {real_item(&rc.tf)});
  read_items(unit, reader, {real_item(&rc.Fcor)});
  read_items(unit, reader, {real_item(&rc.M)});
  read_items(unit, reader, {integer_item(&rc.w)});
  read_items(unit, reader, {integer_item(&rc.nmax)});
  read_items(unit, reader, {integer_item(&rc.time_origin_option)});
  read_items(unit, reader, {integer_item(&rc.plot_option)});
  read_items(unit, reader, {integer_item(&rc.curve_listing_option)});
  read_items(unit, reader, {text_item(rc.case_name)});
  read_items(unit, reader, {text_item(rc.title)});
  unit.close();
}
