// The fast route of the real fields, for fixed shapes known at compile time
// (F12.7, 1PE15.6, 1PE15.7): scale by a power of ten in one rounded double
// operation, round to an integer exactly (see round_scaled), and write the
// digits four at a time from a table. Each returns false, having written
// nothing, when the value is not one it handles; the caller then writes the
// field by the general path (field.h), which gives the same bytes.
#ifndef TALVIRONESKA_OUTPUT_FIELD_FAST_H_
#define TALVIRONESKA_OUTPUT_FIELD_FAST_H_

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "core/powers_of_ten.h"

namespace field_fast {

static_assert(std::endian::native == std::endian::little, "digit bytes are assembled little-endian");

inline constexpr char kBlanks[] = "                ";

struct DigitPairs {
  char bytes[200];
  constexpr DigitPairs() : bytes() {
    for (int i = 0; i < 100; ++i) {
      bytes[2 * i] = static_cast<char>('0' + i / 10);
      bytes[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
  }
};
inline constexpr DigitPairs kPairs;

// The rounding error of the product x = fl(a b): a b - x, exactly (Dekker's
// product with Veltkamp's split; round to nearest, no overflow or underflow).
inline double product_error(double a, double b, double x) {
  const auto split = [](double v, double* hi, double* lo) {
    const double c = 134217729.0 * v;  // 2^27 + 1
    *hi = c - (c - v);
    *lo = v - *hi;
  };
  double ah, al, bh, bl;
  split(a, &ah, &al);
  split(b, &bh, &bl);
  return ((ah * bh - x) + ah * bl + al * bh) + al * bl;
}

// A scaled by the power of ten P (A * P, or A / P when DIVIDE), rounded to the
// nearest integer, ties to even, exactly as the exact value X = A * P (or
// A / P) rounds. x = fl(X) is the double nearest X, and every half-integer
// below 2^52 is a double, so a half-integer lying between x and X (or equal
// to X) would be nearer to X than x is. Hence x and X fall on the same side
// of every half-integer unless x is one itself; then the sign of the exact
// residual decides: X - x = a p - x, or (a - x p) / p, where a - x p is a
// double (the remainder of a correctly rounded quotient) and a - fl(x p) is
// exact (the two are within a factor of two).
// REQUIRES: A >= 0, X < 2^52, P <= 1e22.
inline std::uint64_t round_scaled(double a, double p, bool divide) {
  const double x = divide ? a / p : a * p;
  const auto whole = static_cast<std::int64_t>(x);
  const double fraction = x - static_cast<double>(whole);  // exact
  bool up = fraction > 0.5;
  if (fraction == 0.5) [[unlikely]] {
    double residual;
    if (divide) {
      const double xp = x * p;
      residual = (a - xp) - product_error(x, p, xp);
    } else {
      residual = product_error(a, p, x);
    }
    up = residual > 0 || (residual == 0 && (whole & 1) != 0);
  }
  return static_cast<std::uint64_t>(whole) + (up ? 1 : 0);
}

// "0000" to "9999" as four ASCII bytes each, in memory order (40 KB).
struct DigitQuads {
  std::uint32_t words[10000];
  constexpr DigitQuads() : words() {
    for (std::uint32_t i = 0; i < 10000; ++i) {
      words[i] = (0x30 + i / 1000) | (0x30 + i / 100 % 10) << 8 | (0x30 + i / 10 % 10) << 16 | (0x30 + i % 10) << 24;
    }
  }
};
inline constexpr DigitQuads kQuads;

// The eight decimal digits of x < 10^8, leading zeros included, as ASCII
// bytes in memory order.
inline std::uint64_t eight_digits(std::uint32_t x) {
  return kQuads.words[x / 10000] | static_cast<std::uint64_t>(kQuads.words[x % 10000]) << 32;
}

inline void put_eight_digits(char* out, std::uint32_t x) {
  const std::uint64_t digits = eight_digits(x);
  std::memcpy(out, &digits, 8);
}

// The digits of v > 0 (or "0"), written backward so they end at END.
inline char* put_digits_backward(char* end, std::uint64_t v) {
  while (v >= 100) {
    end -= 2;
    std::memcpy(end, kPairs.bytes + 2 * (v % 100), 2);
    v /= 100;
  }
  if (v >= 10) {
    end -= 2;
    std::memcpy(end, kPairs.bytes + 2 * v, 2);
  } else {
    *--end = static_cast<char>('0' + v);
  }
  return end;
}

inline void fill_stars(char* out, int w) { std::memset(out, '*', static_cast<std::size_t>(w)); }

// Fw.d, written at out[0, W).
template <int W, int D>
[[gnu::always_inline]] inline bool fixed_field(char* out, double value) {
  constexpr int kBeforePoint = W - D - 1;
  static_assert(D >= 1 && D <= 7 && W >= 8 && kBeforePoint >= 2 && W - 1 <= 15);
  const double a = std::fabs(value);
  if (!(a < kPow10[kBeforePoint])) {
    // An integer part of more than kBeforePoint digits never fits.
    if (!(a <= std::numeric_limits<double>::max())) return false;
    fill_stars(out, W);
    return true;
  }
  const std::uint64_t n = round_scaled(a, kPow10[D], false);  // a 10^D < 10^(W-1) <= 10^15 < 2^52
  const std::uint64_t integer = n / kPow10Int[D];
  const auto fraction = static_cast<std::uint32_t>(n % kPow10Int[D]);
  const bool negative = std::signbit(value) && n != 0;
  if (integer >= kPow10Int[kBeforePoint - negative]) {
    fill_stars(out, W);
    return true;
  }
  put_eight_digits(out + W - 8, fraction);
  out[kBeforePoint] = '.';
  std::memcpy(out, kBlanks, kBeforePoint);
  char* p = put_digits_backward(out + kBeforePoint, integer);
  if (negative) p[-1] = '-';
  return true;
}

// 1PEw.d, written at out[0, W).
template <int W, int D>
[[gnu::always_inline]] inline bool exp_field(char* out, double value) {
  constexpr int kLead = W - D - 6;  // column of the leading digit
  static_assert(D >= 1 && D <= 7 && kLead >= 1 && kLead + D - 6 >= 0);
  const double a = std::fabs(value);
  std::uint64_t n = 0;
  int e = 0;
  if (a != 0) {
    // Normal values well inside the exact powers of ten; not finite fails too.
    if (!(a >= 0x1p-40 && a < 0x1p60)) return false;
    const int b = static_cast<int>(std::bit_cast<std::uint64_t>(a) >> 52) - 1023;  // 2^b <= a < 2^(b+1)
    e = (b * 315653) >> 20;  // floor(b log10 2), so 10^e <= a < 2 10^(e+1)
    // Both scales below give less than 2 10^(D+1) < 2^52.
    const auto round_at = [a](int s) { return round_scaled(a, kPow10[s >= 0 ? s : -s], s < 0); };
    n = round_at(D - e);
    if (n >= kPow10Int[D + 1]) {
      // One digit too many: a carry (9.9999996 gives 10.000000, which one
      // place further is exactly 1.000000), or e was one too small.
      if (n == kPow10Int[D + 1]) {
        n = kPow10Int[D];
      } else {
        n = round_at(D - e - 1);
      }
      ++e;
    }
  }
  // The digits are stored with the leading one a column to the right of its
  // place; it is written again in its place and the point takes its column.
  put_eight_digits(out + kLead + D - 6, static_cast<std::uint32_t>(n));
  out[kLead] = static_cast<char>('0' + n / kPow10Int[D]);
  out[kLead + 1] = '.';
  char* exponent = out + W - 4;
  exponent[0] = 'E';
  exponent[1] = e < 0 ? '-' : '+';
  std::memcpy(exponent + 2, kPairs.bytes + 2 * (e < 0 ? -e : e), 2);  // |e| <= 19 here
  std::memcpy(out, kBlanks, kLead);
  if (std::signbit(value) && a != 0) out[kLead - 1] = '-';
  return true;
}

}  // namespace field_fast

#endif  // TALVIRONESKA_OUTPUT_FIELD_FAST_H_
