// The case directory the import writes: the general data file, the case
// parameter file, the thrust data file and the plot script, each complete
// before any is put in place.
#ifndef TALVIRONESKA_INSPECT_IMPORT_CASE_WRITER_H_
#define TALVIRONESKA_INSPECT_IMPORT_CASE_WRITER_H_

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "inspect/firing/uniform_grid.h"

struct ImportedCase {
  std::string case_name;  // printable ASCII, see valid_case_name
  std::string title;      // Windows-1252, at most 90 bytes
  double ti = 0.0;
  double tf = 0.0;
  double M = 0.0;  // kg
  std::int32_t w = 0;
  std::int32_t nmax = 0;
  std::int32_t nmax_needed = 0;  // the records inside the window, for the note
  // The load cell's calibration file as the import read it, copied into the
  // case byte for byte; empty when the import had none.
  std::string calibration_text;
  std::string calibration_source;  // the name it was read from, never written over
};

inline constexpr std::size_t kMaxCaseName = 40;  // so that NAME.dat fits the 50 characters of `original`
inline constexpr std::size_t kMaxTitle = 90;

// The file names of the case.
std::string thrust_file_name(const ImportedCase& c);       // NAME.dat
std::string params_file_name(const ImportedCase& c);       // NAME_caso.txt
std::string calibration_file_name(const ImportedCase& c);  // NAME_calibracao.cal
// The files write_case writes: the case, then what the import found
// (NAME_importacao.txt and NAME_importacao.json), then the calibration's
// copy when the case has one.
std::string import_report_name(const ImportedCase& c);
std::string import_json_name(const ImportedCase& c);
std::vector<std::string> case_file_names(const ImportedCase& c);

// True for the names of Windows' devices (nul, con, prn, aux, conin$,
// conout$, com0 to com9, lpt0 to lpt9) in any letter case, with or without
// an extension, trailing dots or blanks: a file there is the device.
bool is_device_name(std::string_view name);

// True for 1 to kMaxCaseName printable ASCII characters, none of them a
// character that Windows forbids in a file name, no blank at either end,
// and not a device's name.
bool valid_case_name(std::string_view name);
// A valid case name made from a file name's stem: other characters become
// '_', the text is cut to kMaxCaseName, a device's name gets a '_' after
// it; "ensaio" when nothing is left.
std::string case_name_from(std::string_view stem);

// TEXT (Windows-1252) between apostrophes, each apostrophe inside doubled:
// the list-directed reader takes it back whole.
std::string quoted_text(std::string_view text);

// The files' bytes: Windows-1252 text, CR LF line ends.
std::string general_data_text(const ImportedCase& c);
std::string case_params_text(const ImportedCase& c);
std::string plot_script_text();
// One "t F" line per point of CURVE, from point FIRST, COUNT of them at the
// most: false when the curve ran out. Each number is in the shortest form
// that reads back as the same double, the time in plain decimals.
bool append_thrust_lines(const WrittenCurve& curve, std::size_t first, std::size_t count, std::string* out);

// What the import found, kept in the case: its report as the console showed
// it (UTF-8, LF) and its JSON document; the case's files write the report in
// Windows-1252 with CR LF.
struct ImportFindings {
  std::string report;
  std::string json;
};

// One file of a case being written: its name, and its paths while it is
// written and swapped in.
struct DraftFile {
  enum class Kind { text, thrust_data, report, json };
  std::string name;
  Kind kind = Kind::text;
  std::string bytes;  // of a text file
  std::filesystem::path target;
  std::filesystem::path temp;
  std::filesystem::path old;
  bool had_old = false;  // the case had a file of that name, moved to OLD
  bool placed = false;   // the new file has the name
};

// A case written in two steps: draft_case writes the case's own files under
// temporary names beside their names, place_case writes what the import
// found and gives every file its name. Until then an interrupt, a failure or
// the draft's end removes the temporary files (and the folder when the draft
// made it): the folder is left as it was.
struct CaseDraft {
  std::filesystem::path root;
  std::vector<DraftFile> files;
  bool made_root = false;
  bool pending = false;  // temporary files may be there
  // An old case's calibration copy, which would not be this case's: it goes
  // when the case is placed. Empty when there is none to drop.
  std::filesystem::path stale_calibration;
  CaseDraft() = default;
  CaseDraft(const CaseDraft&) = delete;
  CaseDraft& operator=(const CaseDraft&) = delete;
  ~CaseDraft();
};

// CURVE without its first GONE records: the same points from point SHIFT
// on, walked without looking at the records before. GONE leaves at least
// one record, none after the first point to be walked.
struct CurveTail {
  WrittenCurve curve;
  std::size_t shift = 0;
};
CurveTail curve_tail(const WrittenCurve& curve, std::size_t gone);

// Told of the points of the thrust data as they are written: of each
// stretch of points FIRST and COUNT, in order, every point once. It returns
// how many of the curve's first records it has given up (never fewer than
// before): the writing reads none of them again. A record at or before
// the next stretch's first point may not be given up.
using PointsWritten = std::function<std::size_t(std::size_t first, std::size_t count)>;

// Checks the case's files in DIR (created when missing) and writes each one
// but the import's findings under its temporary name, the thrust data from
// CURVE, FOLLOW (when set) told of its points. Nothing is written when a
// file of the case is the file NOT_TO_TOUCH or the calibration's source
// under any name, or already exists and REPLACE is false. False with
// *PROBLEM, in Portuguese, when the case cannot be written: nothing is left
// then.
bool draft_case(const std::string& dir, const ImportedCase& c, const WrittenCurve& curve, const PointsWritten& follow,
                bool replace, const std::string& not_to_touch, CaseDraft* draft, std::string* problem);

// The name the thrust data file of a drafted case has until it is placed.
std::string drafted_thrust_data(const CaseDraft& draft);

// Writes FINDINGS into the drafted case, then gives every file its name, the
// old ones moved aside first. False with *PROBLEM when a file could not be
// written or named: nothing is put in place then, and only a rename failing
// after all were written leaves some of them there (the problem says so).
// *WRITTEN lists the files put in place. A case replaced without a
// calibration loses the old case's copy, which would not be its own.
bool place_case(CaseDraft& draft, const ImportFindings& findings, std::vector<std::string>* written,
                std::string* problem);

// Removes what DRAFT wrote: its temporary files, and its folder when it made it.
void discard_case(CaseDraft& draft);

// The two steps at once.
bool write_case(const std::string& dir, const ImportedCase& c, const WrittenCurve& curve,
                const ImportFindings& findings, bool replace, const std::string& not_to_touch,
                std::vector<std::string>* written, std::string* problem);

#endif  // TALVIRONESKA_INSPECT_IMPORT_CASE_WRITER_H_
