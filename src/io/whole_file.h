// A file written whole or not at all: a reader never finds it cut short, and
// a failed write leaves the file that had the name as it was.
#ifndef TALVIRONESKA_IO_WHOLE_FILE_H_
#define TALVIRONESKA_IO_WHOLE_FILE_H_

#include <string>
#include <string_view>

// Writes BYTES to a new file beside NAME (NAME.tmp, else NAME.1.tmp, ...: the
// first name that nothing has yet), which then takes NAME's place. False,
// with the new file removed and NAME untouched, when any step fails or NAME
// is no file (a device, a pipe, a folder): none takes its place.
bool write_whole_file(const std::string& name, std::string_view bytes);

#endif  // TALVIRONESKA_IO_WHOLE_FILE_H_
