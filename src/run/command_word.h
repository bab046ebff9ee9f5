// A name made one literal word of a command line, for each command
// interpreter the run launches through. Both functions are pure and built on
// every platform; command_word() in the launcher picks the one its
// interpreter needs, and every launch builds its line through it.
//
// A plain name (letters, Windows-1252 letters too, digits, ". _ - +" and
// single blanks between words, plus the characters listed below for each
// interpreter) comes back unchanged, so ordinary command lines stay as they
// always were: "Notepad teste 1_saida_A.txt". The viewers take a plain name's
// words joined by blanks. Any other name is quoted whole.
//
// A name ends at its first NUL byte: a command line is a C string, and the
// words must stay whole within it.
#ifndef TALVIRONESKA_RUN_COMMAND_WORD_H_
#define TALVIRONESKA_RUN_COMMAND_WORD_H_

#include <string>
#include <string_view>

// For /bin/sh. Plain also with ", : @ / = %". Otherwise the name is put
// between apostrophes, where the shell gives every byte its own value; an
// apostrophe inside is written '\'' (close, an escaped apostrophe, reopen).
std::string sh_word(std::string_view name);

// For cmd.exe /c. Plain also with the path characters "\ : /". Otherwise the name is put between
// quotation marks, where & | < > ^ ( ) , ; = and blanks are literal. cmd.exe
// expands %VAR% even between quotation marks, so each % stands outside them:
// every text between two % signs then begins and ends with a quotation mark
// (or is empty), and no variable has such a name. A name holding both blanks
// and % is quoted pieces and % signs in turn ("50 "%"PATH"%" x"), which a
// program reads back as the one name. A quotation mark, which no Windows name
// can hold and which cmd.exe cannot escape between quotation marks, is left
// out. The ! of delayed expansion is literal under cmd /c as the run starts it.
std::string cmd_word(std::string_view name);

#endif  // TALVIRONESKA_RUN_COMMAND_WORD_H_
