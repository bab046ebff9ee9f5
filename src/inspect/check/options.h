// The command line of talvironeska-inspect. Options are Portuguese words
// (--de, --ate, --diametro ...), but for --rate and --eng, kept as they were.
#ifndef TALVIRONESKA_INSPECT_CHECK_OPTIONS_H_
#define TALVIRONESKA_INSPECT_CHECK_OPTIONS_H_

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#ifndef TALVIRONESKA_VERSION
#define TALVIRONESKA_VERSION "dev"
#endif
inline constexpr char kInspectVersion[] = TALVIRONESKA_VERSION;

struct Options {
  bool help = false;
  bool version = false;
  std::string thrust_file;                // empty: read the case in the current directory
  std::int32_t rate = 0;                  // --rate HZ; 0 when not given
  std::optional<double> from;             // --de S: look for the burn from this time on
  std::optional<double> to;               // --ate S: and up to this time
  std::int32_t event = 0;                 // --evento N: the burn is event N of the list
  std::string eng_file;                   // --eng FILE
  std::string json_file;                  // --json FILE; "-" for the standard output
  double diameter = 0.0;                  // --diametro MM
  double length = 0.0;                    // --comprimento MM
  std::optional<double> total_mass;       // --massa-total KG
  std::optional<double> propellant_mass;  // --massa-propelente KG; else the case's M
};

// Reads ARGV into *OPTIONS. False with *PROBLEM, a Portuguese phrase, for an
// unknown option, a missing, empty or bad value, an option given twice, an
// empty file name, a second file, --rate without a
// file, --de after --ate, or --eng without the motor's sizes and masses.
bool parse_options(int argc, const char* const* argv, Options* options, std::string* problem);

// Whether ARG, with the words REST to END after it, may stand on a command
// line: false with *PROBLEM for an empty word, an option already in *SEEN
// (which ARG joins; -h is --help), and an option WITH_VALUE whose value is
// missing or empty.
bool usable_word(std::string_view arg, const char* const* rest, const char* const* end, bool with_value,
                 std::set<std::string_view>* seen, std::string* problem);

// A real number option's value: finite, written as the program's reader takes it.
bool parse_real_option(std::string_view value, double* out);

const char* usage_text();

#endif  // TALVIRONESKA_INSPECT_CHECK_OPTIONS_H_
