#include "output/gnuplot_text.h"

std::string gnuplot_text(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (const char ch : text) {
    if (ch == '\'') out += '\'';
    out += ch == '\n' || ch == '\r' ? ' ' : ch;
  }
  return out;
}

std::string gnuplot_file_name(std::string_view name) {
  std::string out;
  if (!name.empty() && (name.front() == '<' || name.front() == '$')) out = "./";
  out += gnuplot_text(name);
  return out;
}
