#include "run/run_sequence.h"

void run(RunContext& rc) { (void)rc; }
