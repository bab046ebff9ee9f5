// The impulse class of a motor from its total impulse.
#ifndef TALVIRONESKA_ANALYSIS_IMPULSE_CLASS_H_
#define TALVIRONESKA_ANALYSIS_IMPULSE_CLASS_H_

#include <optional>
#include <string_view>

#include "core/run_context.h"

// A band of total impulse: "1/8A" above 0 up to 0.3125 N s, each band
// doubling, lower limit exclusive, upper inclusive; past N (20480 N s) the
// letters go on to Z.
struct ImpulseBand {
  std::string_view name;  // "1/8A", "1/4A", "1/2A", "A" ... "Z"
  double lower = 0.0;     // N s
  double upper = 0.0;
  bool past_n = false;  // a band the program does not name
};

// The band of It; nothing for 0 or below, past Z, or not a number.
std::optional<ImpulseBand> impulse_band(double It);

// The program's 4-character class of It: the band's name padded with blanks,
// four blanks outside the bands up to N.
TextField<4> impulse_class(double It);

inline void classify(RunContext& rc) { rc.classe = impulse_class(rc.It); }

#endif  // TALVIRONESKA_ANALYSIS_IMPULSE_CLASS_H_
