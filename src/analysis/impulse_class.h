// The impulse class of a motor from its total impulse.
#ifndef TALVIRONESKA_ANALYSIS_IMPULSE_CLASS_H_
#define TALVIRONESKA_ANALYSIS_IMPULSE_CLASS_H_

#include "core/run_context.h"

// The 4-character class of It (N s): "1/8A" above 0 up to 0.3125, each band
// doubling up to "N   " at 20480; lower limits exclusive, upper inclusive.
// Outside every band (0 or below, above 20480) four blanks.
TextField<4> impulse_class(double It);

inline void classify(RunContext& rc) { rc.classe = impulse_class(rc.It); }

#endif  // TALVIRONESKA_ANALYSIS_IMPULSE_CLASS_H_
