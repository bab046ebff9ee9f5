// The console the report is written to.
#ifndef TALVIRONESKA_TOOLS_INSPECT_CONSOLE_H_
#define TALVIRONESKA_TOOLS_INSPECT_CONSOLE_H_

// The report is UTF-8: on Windows the console is switched to that code page
// (it starts in the OEM one); elsewhere terminals are UTF-8 already.
void use_utf8_console();

#endif  // TALVIRONESKA_TOOLS_INSPECT_CONSOLE_H_
