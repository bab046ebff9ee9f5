// talvironeska: evaluates the static firing test of a small rocket motor.
#include <cstdio>
#include <new>

#include "core/run_context.h"
#include "io/severe_error.h"
#include "run/run_sequence.h"

int main() {
  try {
    static RunContext rc;
    run(rc);
  } catch (const SevereError& error) {
    std::fputs(severe_error_line(error).c_str(), stderr);
    return 1;
  } catch (const std::bad_alloc&) {
    std::fputs(severe_error_line(SevereError(kErrNoMemory, "insufficient virtual memory")).c_str(), stderr);
    return 1;
  }
  return 0;
}
