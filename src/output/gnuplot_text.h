// Text from the user's files in a gnuplot script: the one way the programs
// put a title or a file name between apostrophes there, so that gnuplot
// reads it as text and never as a command.
#ifndef TALVIRONESKA_OUTPUT_GNUPLOT_TEXT_H_
#define TALVIRONESKA_OUTPUT_GNUPLOT_TEXT_H_

#include <string>
#include <string_view>

// TEXT for between apostrophes: each apostrophe written twice, gnuplot's own
// escape there; no other character has a meaning inside them. A line feed
// or carriage return, which would end the command, is written as a blank.
std::string gnuplot_text(std::string_view text);

// A data file NAME for between apostrophes: as gnuplot_text(), with "./"
// before a name that gnuplot would run as a command ("<cmd") or take for a
// data block ("$name"), so that it names the file.
std::string gnuplot_file_name(std::string_view name);

#endif  // TALVIRONESKA_OUTPUT_GNUPLOT_TEXT_H_
