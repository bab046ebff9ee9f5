// Line layouts: the fixed-column notation of the output files, as data.
//
// A layout is a constexpr array of items, written next to the notation it
// stands for:
//   "#", T4, "Caso   = ", A, /      {lit("#"), T(4), lit("Caso   = "), A, slash}
//   F12.7, 1PE15.6                  {F(12, 7), PE(15, 6)}
//   5(3X, 1PE15.6)                  {group(5), X(3), PE(15, 6), end_group}
// apply_layout (format.h) walks it over an ordered list of values.
#ifndef TALVIRONESKA_OUTPUT_LAYOUT_H_
#define TALVIRONESKA_OUTPUT_LAYOUT_H_

#include <cstdint>
#include <string_view>

enum class ItemKind : std::uint8_t {
  literal,     // text: written as it stands
  text,        // A: the whole text value, at its own length
  integer,     // Iw
  fixed,       // Fw.d
  exp,         // 1PEw.d
  tab,         // Tn: the next character goes to column n (from 1)
  skip,        // nX: the next character goes n columns further right
  line_break,  // /
  group,       // k( : the items up to the matching end_group, k times
  group_end,   // )
};

struct LayoutItem {
  ItemKind kind;
  int w = 0;  // field width; n of Tn and nX; k of a group
  int d = 0;  // decimals of Fw.d and 1PEw.d
  std::string_view literal{};
};

// Field limits the formatter supports (every layout of the program is far below).
inline constexpr int kMaxFieldWidth = 64;
inline constexpr int kMaxDecimals = 40;

namespace layout {

constexpr LayoutItem lit(std::string_view s) { return {ItemKind::literal, 0, 0, s}; }
inline constexpr LayoutItem A{ItemKind::text};
constexpr LayoutItem I(int w) { return {ItemKind::integer, w}; }
constexpr LayoutItem F(int w, int d) { return {ItemKind::fixed, w, d}; }
// 1PEw.d. The scale factor 1P stands before every exponential field of the
// program and before no other field, so it is part of this one item.
constexpr LayoutItem PE(int w, int d) { return {ItemKind::exp, w, d}; }
constexpr LayoutItem T(int n) { return {ItemKind::tab, n}; }
constexpr LayoutItem X(int n) { return {ItemKind::skip, n}; }
inline constexpr LayoutItem slash{ItemKind::line_break};
constexpr LayoutItem group(int k) { return {ItemKind::group, k}; }
inline constexpr LayoutItem end_group{ItemKind::group_end};

}  // namespace layout

// One value for a value field: a real for F and 1PE, a 32-bit integer for I,
// bytes for A (copied as they are; the view must outlive the call).
struct LayoutValue {
  enum class Kind : std::uint8_t { real, integer, text };

  constexpr LayoutValue(double v) : kind(Kind::real), real(v) {}
  constexpr LayoutValue(std::int32_t v) : kind(Kind::integer), integer(v) {}
  constexpr LayoutValue(std::string_view v) : kind(Kind::text), text(v) {}

  Kind kind;
  double real = 0.0;
  std::int32_t integer = 0;
  std::string_view text{};
};

#endif  // TALVIRONESKA_OUTPUT_LAYOUT_H_
