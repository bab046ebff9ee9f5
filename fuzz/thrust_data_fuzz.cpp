// The thrust data reading as the run does it (read_thrust_data on a real
// file through its unit, arrays from allocate_curve_arrays) against a model:
// the general list-directed read of two reals over the same bytes and the
// window rule written out plainly. They must agree on the error, the kept
// points and the running extremes.
//
// Input: four bytes of settings, then the file's bytes.
//   byte 0: nmax, -2 to 13 (small, so the point limit is reached often)
//   byte 1: w, one of 1, 3, 7, 10, 1000
//   byte 2: ti in eighths of a second, signed
//   byte 3: tf in eighths of a second, signed
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/curve.h"
#include "analysis/figures.h"
#include "check.h"
#include "input/list_reader.h"
#include "input/thrust_data.h"
#include "io/severe_error.h"

#include "../tests/support/thrust_reading_model.h"

namespace {

using Outcome = ThrustReading;

// The data file, in a directory of its own that goes when the process ends.
const std::string& data_file() {
  static char directory[] = "/tmp/talvironeska-fuzz-XXXXXX";
  static const std::string name = [] {
    CHECK(::mkdtemp(directory) != nullptr);
    std::atexit([] {
      std::remove((std::string(directory) + "/empuxo.dat").c_str());
      ::rmdir(directory);
    });
    return std::string(directory) + "/empuxo.dat";
  }();
  return name;
}

void write_file(const std::string& name, std::string_view bytes) {
  std::FILE* f = std::fopen(name.c_str(), "wb");
  CHECK(f != nullptr);
  if (!bytes.empty()) CHECK(std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size());
  CHECK(std::fclose(f) == 0);
}

void set_up(RunContext& rc, const std::uint8_t* settings) {
  static const std::int32_t rates[] = {1, 3, 7, 10, 1000};
  rc.nmax = settings[0] % 16 - 2;
  rc.w = rates[settings[1] % 5];
  rc.ti = static_cast<std::int8_t>(settings[2]) / 8.0;
  rc.tf = static_cast<std::int8_t>(settings[3]) / 8.0;
  rc.Fcor = 0.5;
}

Outcome real_run(const std::uint8_t* settings, std::string_view bytes) {
  write_file(data_file(), bytes);
  RunContext rc;
  set_up(rc, settings);
  rc.original.fill(' ');
  std::memcpy(rc.original.data(), data_file().data(), data_file().size());
  allocate_curve_arrays(rc);
  compute_parameter_figures(rc);
  Outcome out;
  try {
    read_thrust_data(rc);
  } catch (const SevereError& e) {
    out.error = e.number();
  }
  CHECK(rc.nc >= 0 && rc.nc <= (rc.nmax > 0 ? rc.nmax : 0));
  out.F.assign(rc.F.get(), rc.F.get() + rc.nc);
  out.Fmax = rc.Fmax;
  out.tmax = rc.tmax;
  out.Fmin = rc.Fmin;
  return out;
}

Outcome model(const std::uint8_t* settings, std::string_view bytes) {
  RunContext rc;
  set_up(rc, settings);
  return model_thrust_reading(bytes, rc.ti, rc.tf, rc.w, rc.Fcor, rc.nmax);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 4, size - 4);
  const Outcome real = real_run(data, bytes);
  const Outcome expected = model(data, bytes);
  CHECK(real.error == expected.error);
  CHECK(real.F.size() == expected.F.size());
  for (std::size_t i = 0; i < real.F.size(); ++i) CHECK(same_bits(real.F[i], expected.F[i]));
  CHECK(same_bits(real.Fmax, expected.Fmax));
  CHECK(same_bits(real.tmax, expected.tmax));
  if (!real.F.empty()) CHECK(same_bits(real.Fmin, expected.Fmin));
  return 0;
}
