// The records of a thrust data file in file order, as the program reads
// them: lines of the common shape straight from the unit's block, any other
// line by the general list-directed read. One pass, no allocation per record.
// The program's reading step and the companion's readings are this loop.
#ifndef TALVIRONESKA_INPUT_RECORD_STREAM_H_
#define TALVIRONESKA_INPUT_RECORD_STREAM_H_

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "input/list_reader.h"
#include "input/record_lines.h"
#include "input/record_scan_helper.h"
#include "io/line_source.h"

// What a general read of one record saw.
struct RecordRead {
  std::uint32_t line = 0;      // the line that held its last value, when lines are counted
  std::string_view last_line;  // that line's bytes, valid during the call
  bool general = false;        // read by the general read, not the block scan
  bool null_or_slash = false;
  int filled_lines = 1;  // non-blank lines the read took
};

namespace record_stream_detail {

// Counts the lines the general read takes and remembers the last one.
template <class Blocks>
class CountingLines final : public LineSource {
 public:
  explicit CountingLines(Blocks& blocks) : blocks_(blocks) {}
  bool next_record(std::string_view* line) override {
    if (!blocks_.next_record(line)) return false;
    ++number;
    last = *line;
    if (line->find_first_not_of(" \t") != std::string_view::npos) ++filled;
    return true;
  }
  bool next_piece(std::string_view* piece) override { return blocks_.next_piece(piece); }
  LineCut cut() const override { return blocks_.cut(); }
  std::uint32_t number = 0;
  std::string_view last;
  int filled = 0;

 private:
  Blocks& blocks_;
};

// The loop, with LINES counted (kCounted) or only asked whether the line the
// general read stopped in was cut.
template <bool kCounted, class Blocks, class Visitor>
void stream(Blocks& blocks, ListReader& reader, CountingLines<Blocks>& lines, Visitor& visitor) {
  RecordScanHelper helper;
  double tlido = 0.0;
  double Flido = 0.0;
  RecordRead read;
  // After a line of another shape the blocks are taken in this thread only
  // until one is taken whole, so a helper's scan is thrown away at most once.
  bool share = true;
  for (;;) {
    const std::string_view held = blocks.held_lines();
    const char* const begin = held.data();
    const char* const end = begin + held.size();
    const char* const split = share ? RecordScanHelper::split_point(begin, end) : end;
    const bool shared = split < end && helper.start(split, end);
    const char* const stretch_end = shared ? split : end;
    const char* p = begin;
    bool stop = false;
    read = RecordRead{};
    while (p < stretch_end) {
      const char* const next = record_lines::scan_record_line(p, stretch_end, &tlido, &Flido);
      if (next == nullptr) break;
      p = next;
      if constexpr (kCounted) read.line = ++lines.number;
      if (!visitor.record(tlido, Flido, read)) {
        stop = true;
        break;
      }
    }
    if (shared) {
      const RecordScanHelper::Found found = helper.finish();
      if (!stop && p == split) {
        for (std::size_t i = 0; i < found.count && !stop; ++i) {
          tlido = found.tlido[i];
          Flido = found.Flido[i];
          if constexpr (kCounted) read.line = ++lines.number;
          stop = !visitor.record(tlido, Flido, read);
        }
        p = found.stop;
      }
    }
    blocks.skip(static_cast<std::size_t>(p - begin));
    if (stop) return;
    share = held.empty() || p == end;
    if (!held.empty() && p == end) continue;
    constexpr double kUnset = std::numeric_limits<double>::quiet_NaN();
    double t = kUnset;
    double F = kUnset;
    lines.filled = 0;
    const ReadError error = reader.read_pair(&t, &F);
    if (error == ReadError::end_of_file) {
      visitor.end_of_file(lines.number, lines.filled, lines.last);
      return;
    }
    if (error != ReadError::none) {
      const bool past_cap = lines.cut() != LineCut::none;
      if (!visitor.unreadable(error, lines.number, lines.last, past_cap) || past_cap) return;
      continue;
    }
    read.general = true;
    read.null_or_slash = std::isnan(t) || std::isnan(F);
    if (!std::isnan(t)) tlido = t;
    if (!std::isnan(F)) Flido = F;
    read.line = lines.number;
    read.last_line = lines.last;
    read.filled_lines = lines.filled;
    if (!visitor.record(tlido, Flido, read)) return;
  }
}

}  // namespace record_stream_detail

// Blocks gives held_lines() (the whole lines not yet taken, followed by the
// padding the scanners may read), skip(n) and the LineSource of the general
// read: a Unit. Counts the lines and calls VISITOR's, in file order:
//   bool record(double tlido, double Flido, const RecordRead&): false stops;
//   bool unreadable(ReadError, std::uint32_t line, std::string_view text, bool past_cap):
//        false stops, true goes on with the next line; PAST_CAP when the
//        line goes on past the cap of what a line holds, where the reading
//        always stops: the rest may have no end (a device, /dev/zero);
//   void end_of_file(std::uint32_t lines, int filled_lines, std::string_view last):
//        the lines of the file, and the non-blank lines and the last line
//        that the read which met the end took.
// A null value or a slash keeps the value of the record before, as the
// program's tlido and Flido do.
// Large blocks are shared out as the program's reading does it: a helper
// thread scans the second half while this one takes the first.
template <class Blocks, class Visitor>
void stream_records(Blocks& blocks, Visitor& visitor) {
  record_stream_detail::CountingLines<Blocks> lines(blocks);
  // A decimal comma stops the program with error 59: the same line is unreadable here.
  ListReader reader(lines, DecimalCommas::refused);
  record_stream_detail::stream<true>(blocks, reader, lines, visitor);
}

// The same with READER, the caller's, reading BLOCKS' lines of other shapes,
// and no line counted: the line numbers and texts given to VISITOR are 0 and
// empty. The program's reading step.
template <class Blocks, class Visitor>
void stream_records(Blocks& blocks, ListReader& reader, Visitor& visitor) {
  record_stream_detail::CountingLines<Blocks> lines(blocks);  // asked only whether a line was cut
  record_stream_detail::stream<false>(blocks, reader, lines, visitor);
}

#endif  // TALVIRONESKA_INPUT_RECORD_STREAM_H_
