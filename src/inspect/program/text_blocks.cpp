#include "inspect/program/text_blocks.h"

TextBlocks::TextBlocks(std::string_view text) : text_(text), size_(text.size()) {
  const std::size_t lf = text.rfind('\n');
  whole_ = lf == std::string_view::npos ? 0 : lf + 1;
  text_.append(kLinePadding, '\0');
}

std::string_view TextBlocks::held_lines() {
  if (pos_ >= whole_) return {text_.data() + size_, 0};
  return {text_.data() + pos_, whole_ - pos_};
}

bool TextBlocks::next_record(std::string_view* line) {
  if (pos_ >= size_) return false;
  const std::size_t lf = text_.find('\n', pos_);
  std::size_t stop = lf == std::string::npos || lf >= size_ ? size_ : lf;
  std::size_t next = stop == size_ ? size_ : stop + 1;
  if (stop > pos_ && text_[stop - 1] == '\r' && stop < size_) --stop;
  *line = std::string_view(text_.data() + pos_, stop - pos_);
  pos_ = next;
  return true;
}
