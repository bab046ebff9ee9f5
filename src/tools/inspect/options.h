// The command line of talvironeska-inspect.
#ifndef TALVIRONESKA_TOOLS_INSPECT_OPTIONS_H_
#define TALVIRONESKA_TOOLS_INSPECT_OPTIONS_H_

#include <cstdint>
#include <string>

#ifndef TALVIRONESKA_VERSION
#define TALVIRONESKA_VERSION "dev"
#endif
inline constexpr char kInspectVersion[] = TALVIRONESKA_VERSION;

struct Options {
  bool help = false;
  bool version = false;
  std::string thrust_file;  // empty: read the case in the current directory
  std::int32_t rate = 0;    // --rate HZ; 0 when not given
  std::string eng_file;     // --eng FILE
};

// Reads ARGV into *OPTIONS. False with *PROBLEM, a Portuguese phrase, for an
// unknown option, a missing or bad value, a second file or --rate without a
// file.
bool parse_options(int argc, const char* const* argv, Options* options, std::string* problem);

const char* usage_text();

#endif  // TALVIRONESKA_TOOLS_INSPECT_OPTIONS_H_
