#include "output/format.h"

#include <cassert>
#include <cstring>
#include <memory>

#include "io/unit.h"
#include "output/field.h"

namespace {

constexpr int kMaxGroupDepth = 4;

struct Repeat {
  std::size_t first;  // index of the group's first item
  int left;           // passes still to make, this one included
};

// The line being built: bytes [line, line + end) are written; POS is the
// column (from 0) of the next character.
struct Line {
  char* line;
  std::size_t pos = 0;
  std::size_t end = 0;

  // Room for n characters at the write position.
  char* at(std::size_t n) {
    if (pos > end) std::memset(line + end, ' ', pos - end);
    char* p = line + pos;
    pos += n;
    if (pos > end) end = pos;
    return p;
  }

  void finish() {
    line[end] = '\r';
    line[end + 1] = '\n';
    line += end + 2;
    pos = end = 0;
  }
};

void write_value_field(char* out, const LayoutItem& item, const LayoutValue& value) {
  using Kind = LayoutValue::Kind;
  switch (item.kind) {
    case ItemKind::integer:
      if (value.kind == Kind::integer) return write_integer_field(out, value.integer, item.w);
      break;
    case ItemKind::fixed:
      if (value.kind == Kind::real) return write_fixed_field(out, value.real, item.w, item.d);
      break;
    case ItemKind::exp:
      if (value.kind == Kind::real) return write_exp_field(out, value.real, item.w, item.d);
      break;
    default: break;
  }
  std::memset(out, '*', static_cast<std::size_t>(item.w));
}

}  // namespace

std::size_t layout_size_bound(std::span<const LayoutItem> layout) {
  // Each item moves the write position right by at most its own size, and a
  // tab to column n lands at most n columns in.
  std::size_t total = 2;
  std::size_t factors[kMaxGroupDepth + 1] = {1};
  int depth = 0;
  for (const LayoutItem& item : layout) {
    const std::size_t factor = factors[depth];
    switch (item.kind) {
      case ItemKind::literal: total += factor * item.literal.size(); break;
      case ItemKind::text: break;
      case ItemKind::line_break: total += factor * 2; break;
      case ItemKind::group:
        assert(depth < kMaxGroupDepth && item.w >= 1);
        factors[depth + 1] = factor * static_cast<std::size_t>(item.w);
        ++depth;
        break;
      case ItemKind::group_end: --depth; break;
      default: total += factor * static_cast<std::size_t>(item.w); break;
    }
  }
  return total;
}

char* apply_layout(char* out, std::span<const LayoutItem> layout, std::span<const LayoutValue> values) {
  Line line{out};
  std::size_t next = 0;  // next value
  Repeat repeats[kMaxGroupDepth];
  int depth = 0;
  bool values_used_up = false;  // and a value field reached: the layout stops there
  for (std::size_t i = 0; i < layout.size() && !values_used_up; ++i) {
    const LayoutItem& item = layout[i];
    switch (item.kind) {
      case ItemKind::literal:
        std::memcpy(line.at(item.literal.size()), item.literal.data(), item.literal.size());
        break;
      case ItemKind::text: {
        if (next == values.size()) {
          values_used_up = true;
          break;
        }
        const LayoutValue& value = values[next++];
        if (value.kind == LayoutValue::Kind::text) {
          char* p = line.at(value.text.size());
          // An empty view may have no data pointer, which memcpy must not be given.
          if (!value.text.empty()) std::memcpy(p, value.text.data(), value.text.size());
        }
        break;
      }
      case ItemKind::integer:
      case ItemKind::fixed:
      case ItemKind::exp:
        if (next == values.size()) {
          values_used_up = true;
          break;
        }
        write_value_field(line.at(static_cast<std::size_t>(item.w)), item, values[next++]);
        break;
      case ItemKind::tab: line.pos = static_cast<std::size_t>(item.w > 0 ? item.w - 1 : 0); break;
      case ItemKind::skip: line.pos += static_cast<std::size_t>(item.w); break;
      case ItemKind::line_break: line.finish(); break;
      case ItemKind::group:
        assert(depth < kMaxGroupDepth && item.w >= 1);
        repeats[depth++] = {i + 1, item.w};
        break;
      case ItemKind::group_end:
        assert(depth > 0);
        if (--repeats[depth - 1].left > 0) {
          i = repeats[depth - 1].first - 1;
        } else {
          --depth;
        }
        break;
    }
  }
  line.finish();
  return line.line;
}

namespace {

std::size_t text_bytes(std::span<const LayoutValue> values) {
  std::size_t n = 0;
  for (const LayoutValue& value : values) n += value.text.size();
  return n;
}

}  // namespace

void write_layout(Unit& unit, std::span<const LayoutItem> layout, std::span<const LayoutValue> values) {
  const std::size_t bound = layout_size_bound(layout) + text_bytes(values);
  if (bound <= Unit::kMaxReserve) {
    char* p = unit.reserve(bound);
    unit.commit(apply_layout(p, layout, values));
    return;
  }
  const std::string text = layout_text(layout, values);
  unit.write(text);
}

std::string layout_text(std::span<const LayoutItem> layout, std::span<const LayoutValue> values) {
  const std::size_t bound = layout_size_bound(layout) + text_bytes(values);
  const std::unique_ptr<char[]> buffer(new char[bound]);
  char* end = apply_layout(buffer.get(), layout, values);
  return std::string(buffer.get(), static_cast<std::size_t>(end - buffer.get()));
}
