// The command line of talvironeska-inspect importar.
#ifndef TALVIRONESKA_INSPECT_IMPORT_OPTIONS_H_
#define TALVIRONESKA_INSPECT_IMPORT_OPTIONS_H_

#include <cstdint>
#include <optional>
#include <string>

#include "inspect/common/command_line.h"
#include "inspect/log/columns.h"
#include "inspect/uncertainty/budget.h"

enum class TareMode { automatic, none, value };

// The layout options (--tempo, --empuxo, --fator, --deslocamento, --coluna,
// --taxa) are the log's layout, which the log reader takes.
struct ImportOptions : LogLayout, StandFigures {
  std::string log;                      // the logger's file
  std::string output_dir;               // --saida
  std::optional<double> M;              // --massa, kg
  TareMode tare = TareMode::automatic;  // --tara
  double tare_value = 0.0;              // N
  bool drift = false;                   // --deriva
  bool inverted = false;                // --inverter: the thrust is read mirrored
  bool measured = false;                // --medido
  std::string case_name;                // --caso
  std::optional<std::string> title;     // --titulo
  bool replace = false;                 // --substituir
  std::string json_file;                // --json; "-" for the standard output
  std::string calibration_file;         // --calibracao: the load cell's .cal file
};

// The import's command line. Beyond the common rules it refuses a second
// file, options that exclude each other, and no LOG, --massa or --saida.
extern const CommandLineRules<ImportOptions> kImportCommandLine;

extern const CommandText kImportText;

#endif  // TALVIRONESKA_INSPECT_IMPORT_OPTIONS_H_
