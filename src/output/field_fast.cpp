// The fast route of the real fields: scale by a power of ten in one rounded
// double operation, round to an integer where that is provably the exact
// decision, and write the digits two at a time. Anything else goes to the
// general path.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "output/field.h"

namespace {

// Every power of ten up to 1e22 is an exact double.
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

constexpr std::uint64_t kPow10Int[] = {1,
                                       10,
                                       100,
                                       1000,
                                       10000,
                                       100000,
                                       1000000,
                                       10000000,
                                       100000000,
                                       1000000000,
                                       10000000000,
                                       100000000000,
                                       1000000000000,
                                       10000000000000,
                                       100000000000000,
                                       1000000000000000,
                                       10000000000000000};

struct DigitPairs {
  char bytes[200];
  constexpr DigitPairs() : bytes() {
    for (int i = 0; i < 100; ++i) {
      bytes[2 * i] = static_cast<char>('0' + i / 10);
      bytes[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
  }
};
constexpr DigitPairs kPairs;

// round_scaled: A scaled by the power of ten P (A * P, or A / P when DIVIDE)
// and rounded to the nearest integer, ties to even, as the exact value X =
// A * P (or A / P) rounds. Exact, not an estimate: x = fl(X) is the double
// nearest X, and every half-integer below 2^52 is a double, so a half-integer
// lying between x and X (or equal to X) would be nearer to X than x is.
// Hence x and X fall on the same side of every half-integer unless x is one
// itself; then the exact residual X - x, which one fused multiply-add gives
// without rounding, decides.
inline bool round_scaled(double a, double p, bool divide, std::uint64_t* n) {
  const double x = divide ? a / p : a * p;
  if (!(x < 0x1p52)) return false;  // also refuses NaN and infinity
  const auto whole = static_cast<std::int64_t>(x);
  const double fraction = x - static_cast<double>(whole);  // exact
  bool up = fraction > 0.5;
  if (fraction == 0.5) {
    // Sign of X - x: a*p - x, or (a - x*p) / p.
    const double residual = divide ? std::fma(-x, p, a) : std::fma(a, p, -x);
    up = residual > 0 || (residual == 0 && (whole & 1) != 0);
  }
  *n = static_cast<std::uint64_t>(whole) + (up ? 1 : 0);
  return true;
}

// The COUNT low decimal digits of V, written backward so they end at END.
inline char* put_digits(char* end, std::uint64_t v, int count) {
  for (; count >= 2; count -= 2) {
    end -= 2;
    std::memcpy(end, kPairs.bytes + 2 * (v % 100), 2);
    v /= 100;
  }
  if (count == 1) *--end = static_cast<char>('0' + v % 10);
  return end;
}

inline int digit_count(std::uint64_t v) {
  int n = 1;
  while (n < 17 && v >= kPow10Int[n]) ++n;
  return n;
}

template <int D>
bool fixed_fast(char* out, double value, int w) {
  const double a = std::fabs(value);
  const int overflow_digits = w - D - 1;  // an integer part this long cannot fit
  if (overflow_digits >= 0 && overflow_digits <= 22 && a >= kPow10[overflow_digits] && a <= std::numeric_limits<double>::max()) {
    std::memset(out, '*', static_cast<std::size_t>(w));
    return true;
  }
  std::uint64_t n;
  if (!round_scaled(a, kPow10[D], false, &n)) return false;
  const std::uint64_t integer = n / kPow10Int[D];
  const std::uint64_t fraction = n % kPow10Int[D];
  const bool negative = std::signbit(value) && n != 0;
  const int integer_digits = digit_count(integer);
  if (negative + integer_digits + 1 + D > w) {
    if (integer == 0) return false;  // the lone "0" may be dropped: general path
    std::memset(out, '*', static_cast<std::size_t>(w));
    return true;
  }
  char* p = put_digits(out + w, fraction, D);
  *--p = '.';
  p = put_digits(p, integer, integer_digits);
  if (negative) *--p = '-';
  std::memset(out, ' ', static_cast<std::size_t>(p - out));
  return true;
}

template <int D>
bool exp_fast(char* out, double value, int w) {
  const double a = std::fabs(value);
  std::uint64_t n = 0;
  int e = 0;
  if (a != 0) {
    // Normal values well inside the exact powers of ten; not finite fails too.
    if (!(a >= 0x1p-40 && a < 0x1p60)) return false;
    const int b = static_cast<int>(std::bit_cast<std::uint64_t>(a) >> 52) - 1023;  // 2^b <= a < 2^(b+1)
    e = (b * 315653) >> 20;  // floor(b log10 2): 10^e <= a < 2 10^(e+1)
    const auto round_at = [a, &n](int s) { return round_scaled(a, kPow10[s >= 0 ? s : -s], s < 0, &n); };
    if (!round_at(D - e)) return false;
    if (n >= kPow10Int[D + 1]) {
      // One digit too many: either a carry (9.9999996 -> 10.000000, which
      // one place further is exactly 1.000000) or e was one too small.
      if (n == kPow10Int[D + 1]) {
        n = kPow10Int[D];
      } else if (!round_at(D - e - 1)) {
        return false;
      }
      ++e;
    }
  }
  const bool negative = std::signbit(value) && a != 0;
  if (negative + 2 + D + 4 > w) {
    std::memset(out, '*', static_cast<std::size_t>(w));
    return true;
  }
  char* p = out + w;
  const unsigned magnitude = static_cast<unsigned>(e < 0 ? -e : e);  // below 100 here
  p -= 2;
  std::memcpy(p, kPairs.bytes + 2 * magnitude, 2);
  *--p = e < 0 ? '-' : '+';
  *--p = 'E';
  p = put_digits(p, n % kPow10Int[D], D);
  *--p = '.';
  *--p = static_cast<char>('0' + n / kPow10Int[D]);
  if (negative) *--p = '-';
  std::memset(out, ' ', static_cast<std::size_t>(p - out));
  return true;
}

}  // namespace

bool write_fixed_field_fast(char* out, double value, int w, int d) {
  switch (d) {
    case 0: return fixed_fast<0>(out, value, w);
    case 1: return fixed_fast<1>(out, value, w);
    case 2: return fixed_fast<2>(out, value, w);
    case 3: return fixed_fast<3>(out, value, w);
    case 4: return fixed_fast<4>(out, value, w);
    case 5: return fixed_fast<5>(out, value, w);
    case 6: return fixed_fast<6>(out, value, w);
    case 7: return fixed_fast<7>(out, value, w);
    case 8: return fixed_fast<8>(out, value, w);
    case 9: return fixed_fast<9>(out, value, w);
    default: return false;
  }
}

bool write_exp_field_fast(char* out, double value, int w, int d) {
  switch (d) {
    case 0: return exp_fast<0>(out, value, w);
    case 1: return exp_fast<1>(out, value, w);
    case 2: return exp_fast<2>(out, value, w);
    case 3: return exp_fast<3>(out, value, w);
    case 4: return exp_fast<4>(out, value, w);
    case 5: return exp_fast<5>(out, value, w);
    case 6: return exp_fast<6>(out, value, w);
    case 7: return exp_fast<7>(out, value, w);
    case 8: return exp_fast<8>(out, value, w);
    case 9: return exp_fast<9>(out, value, w);
    default: return false;
  }
}

void write_fixed_field(char* out, double value, int w, int d) {
  if (!write_fixed_field_fast(out, value, w, d)) write_fixed_field_exact(out, value, w, d);
}

void write_exp_field(char* out, double value, int w, int d) {
  if (!write_exp_field_fast(out, value, w, d)) write_exp_field_exact(out, value, w, d);
}
