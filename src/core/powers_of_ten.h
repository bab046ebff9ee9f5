// Powers of ten, shared by the number reader and the field formatter.
#ifndef TALVIRONESKA_CORE_POWERS_OF_TEN_H_
#define TALVIRONESKA_CORE_POWERS_OF_TEN_H_

#include <cstdint>

// 10^0 to 10^22: every one of them is exactly a double.
inline constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// 10^0 to 10^15 as integers.
inline constexpr std::uint64_t kPow10Int[] = {
    1,         10,         100,         1000,         10000,         100000,         1000000,         10000000,
    100000000, 1000000000, 10000000000, 100000000000, 1000000000000, 10000000000000, 100000000000000, 1000000000000000};

#endif  // TALVIRONESKA_CORE_POWERS_OF_TEN_H_
