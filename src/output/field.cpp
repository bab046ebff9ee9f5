// The real fields: the fast route for the program's common shapes, else the
// general path.
#include "output/field.h"

#include "output/field_fast.h"

void write_fixed_field(char* out, double value, int w, int d) {
  if (w == 12 && d == 7 && field_fast::fixed_field<12, 7>(out, value)) return;
  write_fixed_field_exact(out, value, w, d);
}

void write_exp_field(char* out, double value, int w, int d) {
  if (w == 15 && d == 6 && field_fast::exp_field<15, 6>(out, value)) return;
  if (w == 15 && d == 7 && field_fast::exp_field<15, 7>(out, value)) return;
  write_exp_field_exact(out, value, w, d);
}
