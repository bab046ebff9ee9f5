// How a logger or a spreadsheet wrote its file: the separator, the decimal
// mark, a header line, the line ends. Found from the first lines.
#ifndef TALVIRONESKA_INSPECT_LOG_DIALECT_H_
#define TALVIRONESKA_INSPECT_LOG_DIALECT_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Blanks: runs of blanks and tabs between fields.
enum class Separator { blanks, comma, semicolon, tab };

struct LogDialect {
  Separator separator = Separator::blanks;
  bool decimal_comma = false;
  bool crlf = false;              // the first line ends with CR LF
  bool cr_only = false;           // the lines end with CR alone
  std::uint32_t header_line = 0;  // 0: no header
  std::string header_text;
  std::vector<std::string> column_names;  // from the header; empty when its fields do not match the data
  std::size_t columns = 0;                // fields of the first data line
};

// At most this many fields are looked at on a line.
inline constexpr std::size_t kMaxFields = 64;

// The dialect of the lines in HEAD, the start of the file (its last line
// may be cut by the block end unless HEAD_IS_WHOLE_FILE). A first non-blank
// line that holds letters and is not numbers is the header. False with
// *PROBLEM when no data line is found.
bool detect_dialect(std::string_view head, bool head_is_whole_file, LogDialect* dialect, std::string* problem);

// The fields of LINE (without its line end) by SEPARATOR, blanks around each
// and double quotes around it taken off; a single empty field after a last
// separator ("1,2,") is not counted. Returns the number of fields, up to
// kMaxFields stored in FIELDS (its size must be kMaxFields); more are counted.
std::size_t split_fields(std::string_view line, Separator separator, std::span<std::string_view> fields);

// A number as loggers write it: optional sign, digits with one decimal mark
// (a comma when DECIMAL_COMMA, else a point), optional exponent e/E. No
// infinities, no NaN, no thousands marks.
bool parse_log_number(std::string_view field, bool decimal_comma, double* value);

// True when LINE holds nothing but blanks and tabs.
bool is_blank_line(std::string_view line);

// The separator as the report names it: "vírgula", "ponto e vírgula" ...
const char* separator_text(Separator separator);

#endif  // TALVIRONESKA_INSPECT_LOG_DIALECT_H_
