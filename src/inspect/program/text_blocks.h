// A thrust data file held in memory, given to the record stream in blocks.
#ifndef TALVIRONESKA_INSPECT_PROGRAM_TEXT_BLOCKS_H_
#define TALVIRONESKA_INSPECT_PROGRAM_TEXT_BLOCKS_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "io/line_source.h"

// A string given in blocks as a unit gives a file: held_lines() is every
// whole line not yet taken, next_record() the next line.
class TextBlocks final : public LineSource {
 public:
  explicit TextBlocks(std::string_view text);
  std::string_view held_lines();
  void skip(std::size_t n) { pos_ += n; }
  bool next_record(std::string_view* line) override;
  // The text is held whole, so its lines never come in pieces.
  bool next_piece(std::string_view*) override { return false; }
  LineCut cut() const override { return LineCut::none; }

 private:
  std::string text_;  // the text, then the padding the scanners may read
  std::size_t size_ = 0;
  std::size_t whole_ = 0;  // end of the last whole line
  std::size_t pos_ = 0;
};

#endif  // TALVIRONESKA_INSPECT_PROGRAM_TEXT_BLOCKS_H_
