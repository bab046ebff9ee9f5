// The run: one fixed series of steps over one run context.
#ifndef TALVIRONESKA_RUN_RUN_SEQUENCE_H_
#define TALVIRONESKA_RUN_RUN_SEQUENCE_H_

#include "core/run_context.h"

// Runs every step in order. A severe error ends it by throwing SevereError.
void run(RunContext& rc);

#endif  // TALVIRONESKA_RUN_RUN_SEQUENCE_H_
