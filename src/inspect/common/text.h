// Numbers as the inspector's report prints them: decimal point, no locale.
#ifndef TALVIRONESKA_INSPECT_COMMON_TEXT_H_
#define TALVIRONESKA_INSPECT_COMMON_TEXT_H_

#include <string>

// VALUE with DECIMALS digits after the point ("2.1255"); "inf", "nan" as such.
std::string fixed(double value, int decimals);

// The shortest text that reads back as VALUE ("2.126", "3.05", "160").
std::string shortest(double value);

// VALUE rounded to DIGITS significant digits, in its shortest form: "0.396"
// for 0.39599999999999991 and 7 digits, as an exponent field of the
// program's report rounds it.
std::string significant(double value, int digits);

// A signed percentage with DECIMALS digits: "+5.6 %", "-0.12 %".
std::string percent(double share_times_100, int decimals);

#endif  // TALVIRONESKA_INSPECT_COMMON_TEXT_H_
