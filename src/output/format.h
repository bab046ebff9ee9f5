// Applying a line layout (layout.h) to an ordered list of values.
//
// One application starts a new line at column 1 and walks the items in
// order; each value field takes the next value. When the values are used up,
// literals, tabs, line breaks and group ends still apply up to the next value
// field or the end of the layout. A line ends after its last written
// character (columns skipped by a tab and later written past become blanks;
// a tab to nowhere adds nothing) and every line, the last included, ends in
// CR LF.
#ifndef TALVIRONESKA_OUTPUT_FORMAT_H_
#define TALVIRONESKA_OUTPUT_FORMAT_H_

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>

#include "output/layout.h"

class Unit;

// Bytes that an application of LAYOUT can write at most, not counting the
// text values (add their lengths).
std::size_t layout_size_bound(std::span<const LayoutItem> layout);

// Writes the lines at OUT and returns the end of what was written.
// REQUIRES: room for layout_size_bound(layout) plus the text values' lengths;
// each value is of its field's kind (a field given a value of another kind
// is filled with asterisks).
char* apply_layout(char* out, std::span<const LayoutItem> layout, std::span<const LayoutValue> values);

// The same, appended to an open output unit.
void write_layout(Unit& unit, std::span<const LayoutItem> layout, std::span<const LayoutValue> values);
inline void write_layout(Unit& unit, std::span<const LayoutItem> layout, std::initializer_list<LayoutValue> values) {
  write_layout(unit, layout, std::span<const LayoutValue>(values.begin(), values.size()));
}

// The same, as a string (for tests and small uses).
std::string layout_text(std::span<const LayoutItem> layout, std::span<const LayoutValue> values);
inline std::string layout_text(std::span<const LayoutItem> layout, std::initializer_list<LayoutValue> values) {
  return layout_text(layout, std::span<const LayoutValue>(values.begin(), values.size()));
}

#endif  // TALVIRONESKA_OUTPUT_FORMAT_H_
