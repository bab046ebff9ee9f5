// talvironeska-inspect importar: a logger's file turned into a case
// directory that the program runs as it is.
#ifndef TALVIRONESKA_TOOLS_INSPECT_IMPORT_COMMAND_H_
#define TALVIRONESKA_TOOLS_INSPECT_IMPORT_COMMAND_H_

// ARGV[1] is "importar". Writes the report on stdout and an error on
// stderr; returns 0 when the case was written, 1 when it was written with
// warnings, 2 when nothing was written.
int importar_main(int argc, char** argv);

#endif  // TALVIRONESKA_TOOLS_INSPECT_IMPORT_COMMAND_H_
