// One list-directed read on a unit, its errors raised as severe errors.
#ifndef TALVIRONESKA_INPUT_READ_ITEMS_H_
#define TALVIRONESKA_INPUT_READ_ITEMS_H_

#include <initializer_list>

#include "input/list_reader.h"
#include "io/unit.h"

inline void read_items(Unit& unit, ListReader& reader, std::initializer_list<ReadItem> items) {
  const ReadError error = reader.read(items);
  if (error != ReadError::none) unit.fail(severe_number(error));
}

#endif  // TALVIRONESKA_INPUT_READ_ITEMS_H_
