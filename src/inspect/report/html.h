// Text and numbers on the companion's pages. Every text from a case, a log
// or the command line reaches a page through html_text() or html_utf8():
// nothing in it becomes markup.
#ifndef TALVIRONESKA_INSPECT_REPORT_HTML_H_
#define TALVIRONESKA_INSPECT_REPORT_HTML_H_

#include <string>
#include <string_view>

// TEXT, Windows-1252 as the case files hold it (titles, case and file names,
// the notes as NAME_relatorio.txt keeps them), as HTML text: converted to
// UTF-8 and escaped (& < > " '), control bytes shown as U+FFFD.
std::string html_text(std::string_view text);

// TEXT, UTF-8 (the companion's own messages, which may quote a file name),
// escaped the same way; a byte that is not UTF-8 is shown as U+FFFD.
std::string html_utf8(std::string_view text);

// X with DECIMALS decimals and a decimal comma, as the page prints a
// figure ("61,399"); "—" for an infinite or undefined one.
std::string page_number(double x, int decimals);

// A figure as the page prints it: the number marked with the name of its
// value in the --json document (NAME, e.g. "burn.impulse_Ns"), so that a
// reader and the tests find which value it is.
std::string json_figure(std::string_view name, double x, int decimals);

#endif  // TALVIRONESKA_INSPECT_REPORT_HTML_H_
