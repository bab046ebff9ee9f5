// Text from files and the command line as the inspector shows it on a
// terminal: bytes that would act on the terminal, or that nobody sees,
// written out.
#ifndef TALVIRONESKA_INSPECT_COMMON_SHOWN_TEXT_H_
#define TALVIRONESKA_INSPECT_COMMON_SHOWN_TEXT_H_

#include <string>
#include <string_view>

// TEXT for the terminal: control bytes (C0 but LF when KEEP_LF, DEL, the C1
// range in UTF-8), a BOM and bytes that are not UTF-8 as \xNN, so that a
// name can neither move the cursor nor change the colours; everything else,
// accented letters included, as it is.
std::string shown(std::string_view text, bool keep_lf = false);

// The bytes of NAME that a user does not see, with their values:
// "EF BB BF (BOM) no início; 0D (CR) no fim". Empty when there are none.
std::string invisible_bytes(std::string_view name);

#endif  // TALVIRONESKA_INSPECT_COMMON_SHOWN_TEXT_H_
