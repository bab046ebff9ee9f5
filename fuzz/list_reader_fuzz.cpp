// The list-directed reader over arbitrary bytes, on every item kind.
//
// The same input is read several ways, each over its own reader:
//  - reads of one item, each kind alone (text of 50 and 90, real, integer)
//    until the input ends or an error stops it;
//  - the twelve reads of a case parameter file, in order, decimal commas
//    refused as the program reads it;
//  - reads of three items of the kinds the first byte picks (repeat counts
//    then hand copies across kinds);
//  - the thrust records: read_pair against the general read of two reals,
//    which must agree record by record in error, values and position, with
//    decimal commas separated and refused;
//  - lines given in short pieces, as a unit gives a line past its cap,
//    against the same lines given whole: the same reads, but that a value
//    as long as a piece may end in a syntax error. Decimal commas are
//    separated there: whether a comma is one is seen within the piece that
//    holds it, and a line is cut into pieces only past 4 MiB.
// Every field is its own heap block of exactly its size, so AddressSanitizer
// sees a write past one. A hang shows as a libFuzzer time-out.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "check.h"
#include "input/list_reader.h"

namespace {

constexpr int kMaxReads = 64;  // enough to pass over any seed, short enough to stay fast

struct Field {
  explicit Field(std::size_t n) : bytes(new char[n]), size(n) {}
  std::unique_ptr<char[]> bytes;
  std::size_t size;
  ReadItem item() const { return {ReadKind::text, bytes.get(), size}; }
};

void read_one_kind(std::string_view input, ReadKind kind, std::size_t length) {
  StringLines lines(input);
  ListReader reader(lines);
  Field text(length);
  auto real = std::make_unique<double>(0.0);
  auto integer = std::make_unique<std::int32_t>(0);
  const ReadItem item = kind == ReadKind::text   ? text.item()
                        : kind == ReadKind::real ? real_item(real.get())
                                                 : integer_item(integer.get());
  for (int i = 0; i < kMaxReads; ++i) {
    const ReadError error = reader.read({&item, 1});
    if (error != ReadError::none) {
      CHECK(error == ReadError::end_of_file || error == ReadError::syntax || error == ReadError::conversion);
      if (kind == ReadKind::text) CHECK(error != ReadError::conversion);
      return;
    }
  }
}

void read_case_parameter_sequence(std::string_view input) {
  StringLines lines(input);
  ListReader reader(lines, DecimalCommas::refused);
  Field original(50), case_name(90), title(90);
  auto reals = std::make_unique<double[]>(4);
  auto integers = std::make_unique<std::int32_t[]>(5);
  const ReadItem items[] = {original.item(),
                            real_item(&reals[0]),
                            real_item(&reals[1]),
                            real_item(&reals[2]),
                            real_item(&reals[3]),
                            integer_item(&integers[0]),
                            integer_item(&integers[1]),
                            integer_item(&integers[2]),
                            integer_item(&integers[3]),
                            integer_item(&integers[4]),
                            case_name.item(),
                            title.item()};
  for (const ReadItem& item : items) {
    if (reader.read({&item, 1}) != ReadError::none) return;
  }
}

void read_mixed(std::string_view input, std::uint8_t plan) {
  StringLines lines(input);
  ListReader reader(lines);
  Field short_text(4), long_text(90);
  auto real = std::make_unique<double>(0.0);
  auto integer = std::make_unique<std::int32_t>(0);
  const ReadItem choices[] = {short_text.item(), long_text.item(), real_item(real.get()), integer_item(integer.get())};
  const ReadItem items[] = {choices[plan & 3], choices[(plan >> 2) & 3], choices[(plan >> 4) & 3]};
  for (int i = 0; i < kMaxReads; ++i) {
    if (reader.read(items) != ReadError::none) return;
  }
}

void compare_pair_reads(std::string_view input, DecimalCommas commas) {
  StringLines fast_lines(input), general_lines(input);
  ListReader fast(fast_lines, commas), general(general_lines, commas);
  auto f = std::make_unique<double[]>(2);
  auto g = std::make_unique<double[]>(2);
  f[0] = g[0] = -1.0;
  f[1] = g[1] = -2.0;
  const ReadItem items[] = {real_item(&g[0]), real_item(&g[1])};
  for (int i = 0; i < kMaxReads; ++i) {
    const ReadError a = fast.read_pair(&f[0], &f[1]);
    const ReadError b = general.read(items);
    CHECK(a == b);
    CHECK(same_bits(f[0], g[0]));
    CHECK(same_bits(f[1], g[1]));
    if (a != ReadError::none) return;
  }
}

// The longest run of bytes that could be one value: no separator, no line end.
std::size_t longest_word(std::string_view input) {
  std::size_t longest = 0, run = 0;
  for (const char c : input) {
    run = c == ' ' || c == '\t' || c == ',' || c == '/' || c == '\n' ? 0 : run + 1;
    if (run > longest) longest = run;
  }
  return longest;
}

void compare_pieces(std::string_view input, std::uint8_t plan) {
  const std::size_t cap = 1 + (plan >> 3);
  StringLines whole_lines(input), piece_lines(input, cap);
  ListReader whole(whole_lines), pieces(piece_lines);
  Field w_text(6), p_text(6);
  auto w = std::make_unique<double[]>(2);
  auto p = std::make_unique<double[]>(2);
  auto wi = std::make_unique<std::int32_t>(0);
  auto pi = std::make_unique<std::int32_t>(0);
  w[0] = p[0] = w[1] = p[1] = 0.0;
  std::memset(w_text.bytes.get(), 0, 6);
  std::memset(p_text.bytes.get(), 0, 6);
  const ReadItem w_items[] = {w_text.item(), real_item(&w[0]), integer_item(wi.get())};
  const ReadItem p_items[] = {p_text.item(), real_item(&p[0]), integer_item(pi.get())};
  const bool long_value = longest_word(input) >= cap;
  for (int i = 0; i < kMaxReads; ++i) {
    const bool pair = ((plan >> (i % 3)) & 1) != 0;
    const ReadError a = pair ? whole.read_pair(&w[0], &w[1]) : whole.read(w_items);
    const ReadError b = pair ? pieces.read_pair(&p[0], &p[1]) : pieces.read(p_items);
    // The piece reading may fail on another item of the same read first.
    if (b == ReadError::syntax && long_value) return;
    CHECK(a == b);
    if (a != ReadError::none) return;
    CHECK(same_bits(w[0], p[0]));
    CHECK(same_bits(w[1], p[1]));
    CHECK(*wi == *pi);
    CHECK(std::memcmp(w_text.bytes.get(), p_text.bytes.get(), 6) == 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t plan = data[0];
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  read_one_kind(input, ReadKind::text, 50);
  read_one_kind(input, ReadKind::text, 90);
  read_one_kind(input, ReadKind::real, 0);
  read_one_kind(input, ReadKind::integer, 0);
  read_case_parameter_sequence(input);
  read_mixed(input, plan);
  compare_pair_reads(input, DecimalCommas::separated);
  compare_pair_reads(input, DecimalCommas::refused);
  compare_pieces(input, plan);
  return 0;
}
