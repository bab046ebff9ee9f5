// What a line of the thrust data file that the reader balks at, or reads
// wrongly, most likely holds.
#ifndef TALVIRONESKA_INSPECT_PROGRAM_LINE_HINT_H_
#define TALVIRONESKA_INSPECT_PROGRAM_LINE_HINT_H_

#include <string>
#include <string_view>

enum class LineHint {
  header,         // words: a header or a note
  decimal_comma,  // numbers written with a decimal comma
  unit_letter,    // a number with a letter stuck to it ("12.5N")
  semicolon,      // values apart by semicolons, as spreadsheets save them
  other,          // any other character that cannot be part of a number
};

// The likely cause of a read error on LINE.
LineHint classify_unreadable(std::string_view line);

// True when LINE, read without error, holds numbers with decimal commas
// that the reader takes as separators: two or more blank-separated fields,
// no point anywhere, and a field of digits, a comma and digits.
bool looks_like_decimal_commas(std::string_view line);

// True for the hints of a logger's or a spreadsheet's file, which the
// import converts: a header, decimal commas, semicolons.
bool import_reads(LineHint hint);

// The hint as a short Portuguese phrase.
const char* hint_text(LineHint hint);

// LINE for the console: at most MAX_LENGTH characters, bytes outside
// printable ASCII shown as \xNN.
std::string printable_line(std::string_view line, std::size_t max_length = 72);

#endif  // TALVIRONESKA_INSPECT_PROGRAM_LINE_HINT_H_
