#include "inspect/import/case_writer.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <span>
#include <system_error>
#include <thread>
#include <tuple>

#include "inspect/common/code_page.h"
#include "inspect/common/native_name.h"
#include "inspect/common/same_file.h"
#include "inspect/common/text.h"
#include "inspect/import/temp_files.h"
#include "inspect/program/case_files.h"
#include "io/os_file.h"
#include "output/field_fast.h"

namespace fs = std::filesystem;

namespace {

constexpr char kGeneralDataName[] = "talvironeska_2p1_dados_geral.txt";
constexpr char kPlotScriptName[] = "talvironeska_2p1_curva_F-t.gnu";
constexpr char kTempSuffix[] = ".importar-tmp";    // a new file, before it takes its name
constexpr char kOldSuffix[] = ".importar-antigo";  // the case's old file, while the new ones take their names
constexpr std::size_t kBlockLines = 16384;         // of the thrust data file, about 0.5 MiB

// A value and its note, as the example cases set them out.
std::string value_line(const std::string& value, const char* note) {
  std::string line = value;
  line.append(value.size() < 16 ? 16 - value.size() : 1, ' ');
  return line + note + "\r\n";
}

// The lines of CURVE in blocks of kBlockLines, written on OUT in order, and
// FOLLOW told of each block once written. The formatting (the shortest
// digits of two doubles a line) is most of the import's time: a helper
// thread formats every second block on the other core; without one, the
// blocks are formatted here alone, to the same bytes.
bool write_curve_lines(OsHandle out, const WrittenCurve& curve, const PointsWritten& follow) {
  const std::size_t n = curve.size();
  std::string blocks[2];
  for (std::string& block : blocks) block.reserve(kBlockLines * 48);
  CurveTail tail = curve_tail(curve, 0);
  auto format = [&tail](std::size_t first, std::string* block) {
    block->clear();
    append_thrust_lines(tail.curve, first - tail.shift, kBlockLines, block);
  };
  const bool two_cores = std::thread::hardware_concurrency() > 1;
  for (std::size_t first = 0; first < n; first += 2 * kBlockLines) {
    const bool second = first + kBlockLines < n;
    std::thread helper;
    if (second && two_cores) {
      try {
        helper = std::thread(format, first + kBlockLines, &blocks[1]);
      } catch (const std::system_error&) {  // no thread: the block is formatted below
      }
    }
    format(first, &blocks[0]);
    if (helper.joinable()) {
      helper.join();
    } else if (second) {
      format(first + kBlockLines, &blocks[1]);
    }
    if (!os_write(out, blocks[0].data(), blocks[0].size())) return false;
    if (second && !os_write(out, blocks[1].data(), blocks[1].size())) return false;
    if (follow) tail = curve_tail(curve, follow(first, std::min(2 * kBlockLines, n - first)));
  }
  return true;
}

// Writes one file of the case to PATH, a name nothing has yet; false with
// errno kept.
bool write_file(const fs::path& path, const std::string* bytes, const WrittenCurve* curve,
                const PointsWritten* follow) {
  OsHandle out = kNoHandle;
  if (!os_create_new(name_of_path(path), &out)) return false;
  const bool ok =
      bytes != nullptr ? os_write(out, bytes->data(), bytes->size()) : write_curve_lines(out, *curve, *follow);
  const int saved = errno;
  const bool closed = os_close(out);
  errno = saved;
  return ok && closed;
}

// A path that cannot be looked at counts as there: it is not written over.
bool exists_somehow(const fs::path& path) {
  std::error_code error;
  return fs::symlink_status(path, error).type() != fs::file_type::not_found;
}

// The times k / w of a grid whose w divides 10^p (w = 2^a 5^b, p = max(a,
// b)): k / w is then exactly the decimal n / 10^p, n = k (10^p / w), and the
// double t nearest it prints in the shortest plain form as those digits, the
// zeros at the end dropped. Another decimal of p places or fewer lies 10^-p
// or more from n / 10^p, and one of more places is longer; while n < 2^51,
// t < 2^52 / 10^p and the doubles next to t are nearer than 10^-p, so n / 10^p
// is the one text that reads back as t.
struct GridTimes {
  std::uint64_t scale = 0;  // 10^p / w
  int places = 0;           // p
  std::uint64_t k_end = 0;  // the times k / w, k < k_end, are written from k; none when 0
};

GridTimes grid_times(std::int32_t w) {
  GridTimes g;
  if (w <= 0) return g;
  for (int p = 0; p < static_cast<int>(std::size(kPow10Int)); ++p) {
    if (kPow10Int[p] % static_cast<std::uint64_t>(w) != 0) continue;
    g.places = p;
    g.scale = kPow10Int[p] / static_cast<std::uint64_t>(w);
    g.k_end = ((std::uint64_t{1} << 51) - 1) / g.scale + 1;
    break;
  }
  return g;
}

// N / 10^PLACES at OUT in plain decimals, without zeros at the end of its
// fraction or a point when it has none. N < 2^51 < 10^16, PLACES < 16: at
// most 16 digits either side of the point, copied 16 bytes at a time, so
// OUT has room for 33 bytes.
char* put_grid_time(char* out, std::uint64_t n, int places) {
  constexpr std::uint64_t kEight = 100000000;
  char digits[48];
  char* const end = digits + 24;
  field_fast::put_eight_digits(end - 16, static_cast<std::uint32_t>(n / kEight));
  field_fast::put_eight_digits(end - 8, static_cast<std::uint32_t>(n % kEight));
  int length = 1;
  while (length < 16 && n >= kPow10Int[length]) ++length;
  const char* const first = end - std::max(length, places + 1);
  const char* const point = end - places;
  const char* last = end;
  while (last > point && last[-1] == '0') --last;
  std::memcpy(out, first, 16);
  out += point - first;
  *out = '.';
  std::memcpy(out + 1, point, 16);
  return last > point ? out + 1 + (last - point) : out;
}

}  // namespace

CurveTail curve_tail(const WrittenCurve& curve, std::size_t gone) {
  // A grid's points are numbered from time 0 whatever its records; the
  // records themselves are numbered from the first one kept.
  return {{curve.t.subspan(gone), curve.F.subspan(gone), curve.w}, curve.w > 0 ? 0 : gone};
}

std::string thrust_file_name(const ImportedCase& c) { return c.case_name + ".dat"; }
std::string params_file_name(const ImportedCase& c) { return c.case_name + "_caso.txt"; }
std::string import_report_name(const ImportedCase& c) { return c.case_name + kImportReportSuffix; }
std::string import_json_name(const ImportedCase& c) { return c.case_name + kImportJsonSuffix; }
std::string calibration_file_name(const ImportedCase& c) { return c.case_name + kCalibrationSuffix; }
std::vector<std::string> case_file_names(const ImportedCase& c) {
  std::vector<std::string> names = {kGeneralDataName, params_file_name(c),   thrust_file_name(c),
                                    kPlotScriptName,  import_report_name(c), import_json_name(c)};
  if (!c.calibration_text.empty()) names.push_back(calibration_file_name(c));
  return names;
}

bool is_device_name(std::string_view name) {
  std::string base(name.substr(0, name.find('.')));
  while (!base.empty() && (base.back() == ' ' || base.back() == '.')) base.pop_back();
  for (char& c : base) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  static const char* const kDevices[] = {"nul", "con", "prn", "aux", "conin$", "conout$"};
  for (const char* device : kDevices) {
    if (base == device) return true;
  }
  return base.size() == 4 && (base.starts_with("com") || base.starts_with("lpt")) && base[3] >= '0' && base[3] <= '9';
}

bool valid_case_name(std::string_view name) {
  if (is_device_name(name)) return false;
  if (name.empty() || name.size() > kMaxCaseName || name.front() == ' ' || name.back() == ' ') return false;
  for (char c : name) {
    if (c < 0x20 || c > 0x7E || std::strchr("/\\:*?\"<>|", c) != nullptr) return false;
  }
  return name != "." && name != "..";
}

std::string case_name_from(std::string_view stem) {
  std::string name;
  for (char c : stem) {
    if (name.size() == kMaxCaseName) break;
    const bool plain =
        (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '_' || c == '.';
    name += plain ? c : '_';
  }
  while (!name.empty() && name.front() == '.') name.erase(0, 1);
  if (name.empty()) return "ensaio";
  if (is_device_name(name)) {
    const std::size_t dot = std::min(name.find('.'), name.size());
    std::string stem = name.substr(0, dot);
    stem += '_';
    name = stem.append(name, dot);
  }
  return name.substr(0, kMaxCaseName);
}

std::string quoted_text(std::string_view text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'') out += '\'';
    out += c;
  }
  out += '\'';
  return out;
}

std::string general_data_text(const ImportedCase& c) { return quoted_text(params_file_name(c)) + "\r\n"; }

std::string case_params_text(const ImportedCase& c) {
  std::string text;
  text +=
      value_line(quoted_text(thrust_file_name(c)), "original: arquivo de empuxo (tempo em s, empuxo em N por linha)");
  text += value_line(shortest(c.ti),
                     "ti: in\xED"
                     "cio da janela de tempo (s)");
  text += value_line(shortest(c.tf), "tf: fim da janela de tempo (s)");
  text += value_line("0.0", "Fcor: empuxo m\xEDnimo da curva (N)");
  text += value_line(shortest(c.M), "M: massa de propelente (kg)");
  text += value_line(std::to_string(c.w), "w: freq\xFC\xEAncia da aquisi\xE7\xE3o de dados (Hz)");
  const std::string nmax_note =
      "nmax: n\xFAmero m\xE1ximo de pontos da curva (a janela acima tem " + std::to_string(c.nmax_needed) + ")";
  text += value_line(std::to_string(c.nmax), nmax_note.c_str());
  text += value_line("0", "origem do tempo: 1 = tempos da medi\xE7\xE3o, 0 = contados de ti");
  text += value_line("1",
                     "gr\xE1"
                     "fico: 1 = escreve o roteiro e abre o gnuplot");
  text += value_line("0", "listagem da curva: 1 = abre tamb\xE9m o arquivo da curva no editor");
  text += value_line(quoted_text(c.case_name),
                     "nome do caso: nomeia os arquivos de sa\xED"
                     "da");
  text += value_line(quoted_text(c.title), "t\xEDtulo");
  return text;
}

std::string plot_script_text() {
  // The examples' line 6 keeps gnuplot's window open on Windows; the title
  // and names are plain text, never gnuplot's enhanced markup ("teste_01").
  return "# Curva de empuxo. As linhas 1 a 6 s\xE3o suas; cada execu\xE7\xE3o reescreve as linhas 7 e 8.\r\n"
         "set xlabel 't [s]'; set ylabel 'F [N]'\r\n"
         "set grid; set style data lines; set linetype 1 linewidth 2\r\n"
         "# No Windows, a linha 5 deixa a janela do gr\xE1"
         "fico aberta at\xE9 voc\xEA fech\xE1-la (veja LEIA-ME.txt).\r\n"
         "if (strstrt(GPVAL_TERMINALS, \"windows\") > 0) { if (strstrt(GPVAL_TERMINALS, \"wxt\") > 0) { set terminal "
         "wxt "
         "persist } else { set terminal qt persist } }\r\n"
         "set termoption noenhanced\r\n";
}

bool append_thrust_lines(const WrittenCurve& curve, std::size_t first, std::size_t count, std::string* out) {
  // Lines are made here and go to OUT a few thousand at a time; a line has
  // room for any double in either form.
  constexpr std::size_t kLineRoom = 2 * 340 + 3;
  char lines[64 * 1024];
  char* p = lines;
  const GridTimes grid = grid_times(curve.w);
  CurveCursor points(curve, first);
  double t = 0.0;
  double F = 0.0;
  bool whole = true;
  for (std::size_t k = first; k < first + count; ++k) {
    if (!points.next(&t, &F)) {
      whole = false;
      break;
    }
    if (k < grid.k_end) {
      p = put_grid_time(p, k * grid.scale, grid.places);
    } else {
      // Times in plain decimals ("0.0005", not "5e-04"), as a user reads them.
      p = std::to_chars(p, p + 340, t, std::chars_format::fixed).ptr;
    }
    *p++ = ' ';
    p = std::to_chars(p, p + 340, F).ptr;
    *p++ = '\r';
    *p++ = '\n';
    if (static_cast<std::size_t>(lines + sizeof lines - p) < kLineRoom) {
      out->append(lines, p);
      p = lines;
    }
  }
  out->append(lines, p);
  return whole;
}

namespace {

// Why FILES cannot be written into ROOT at all: a file is one of INPUTS
// (the log, then the calibration's source), is there without REPLACE, or is
// there as something other than a file. Empty when they can.
std::string refusal(const std::vector<DraftFile>& files, std::span<const fs::path> inputs, bool replace) {
  for (const DraftFile& f : files) {
    const std::string shown = console_name(name_of_path(f.target));
    for (const fs::path* input :
         {same_file_among(f.target, inputs), same_file_among(f.temp, inputs), same_file_among(f.old, inputs)}) {
      if (input == nullptr) continue;
      return shown + (input == &inputs[0] ? " é o próprio registro" : " é o arquivo de calibração lido") +
             ": não será sobrescrito";
    }
    if (!exists_somehow(f.target)) continue;
    if (!replace) return shown + " já existe: nada foi escrito (--substituir o substitui)";
    std::error_code error;
    const fs::file_type type = fs::symlink_status(f.target, error).type();
    if (type != fs::file_type::regular && type != fs::file_type::symlink) {
      return shown + " existe e não é um arquivo: nada foi escrito";
    }
  }
  return "";
}

// What an import killed before it ended left in the folder: its temporary
// files go; an old file moved aside goes back to its name when that name is
// free, else it goes too (the new file took the name).
void clear_leftovers(const std::vector<DraftFile>& files) {
  std::error_code ignored;
  for (const DraftFile& f : files) {
    if (exists_somehow(f.temp)) fs::remove(f.temp, ignored);
    if (!exists_somehow(f.old)) continue;
    if (exists_somehow(f.target)) {
      fs::remove(f.old, ignored);
    } else {
      fs::rename(f.old, f.target, ignored);
    }
  }
}

// Puts the old case back after a failed swap: false when some file could
// not be put back.
bool put_back(std::vector<DraftFile>& files) {
  bool whole = true;
  for (auto f = files.rbegin(); f != files.rend(); ++f) {
    std::error_code error;
    if (f->placed) {
      fs::remove(f->target, error);
      f->placed = error.value() != 0;
    }
    if (f->had_old && !f->placed) {
      fs::rename(f->old, f->target, error);
      if (!error) f->had_old = false;
    }
    whole = whole && !f->placed && !f->had_old;
    fs::remove(f->temp, error);
  }
  return whole;
}

// Gives every new file its name, the old ones moved aside first (Windows
// renames over no file); on a failure the old case is put back. False with
// *PROBLEM saying what the folder now holds.
bool swap_in(std::vector<DraftFile>& files, std::string* problem) {
  for (DraftFile& f : files) {
    std::error_code error;
    if (exists_somehow(f.target)) {
      fs::rename(f.target, f.old, error);
      f.had_old = !error;
    }
    if (!error) fs::rename(f.temp, f.target, error);
    if (!error) {
      f.placed = true;
      continue;
    }
    *problem = "erro ao dar o nome " + console_name(name_of_path(f.target)) + ": " + error.message();
    if (put_back(files)) {
      *problem += "; nada foi mudado: o caso que havia na pasta ficou como estava";
    } else {
      *problem +=
          "; ATENÇÃO: o caso ficou incompleto, com arquivos novos e antigos; os antigos que não voltaram "
          "ao seu nome estão com a terminação " +
          std::string(kOldSuffix);
    }
    return false;
  }
  std::error_code ignored;
  for (const DraftFile& f : files) {
    if (f.had_old) fs::remove(f.old, ignored);
  }
  return true;
}

// The files of case C in ROOT, in the order of case_file_names.
std::vector<DraftFile> draft_files(const fs::path& root, const ImportedCase& c) {
  using Kind = DraftFile::Kind;
  std::vector<DraftFile> files;
  for (const auto& [name, kind, bytes] : {std::tuple{std::string(kGeneralDataName), Kind::text, general_data_text(c)},
                                          {params_file_name(c), Kind::text, case_params_text(c)},
                                          {thrust_file_name(c), Kind::thrust_data, std::string()},
                                          {std::string(kPlotScriptName), Kind::text, plot_script_text()},
                                          {import_report_name(c), Kind::report, std::string()},
                                          {import_json_name(c), Kind::json, std::string()},
                                          {calibration_file_name(c), Kind::text, c.calibration_text}}) {
    if (name == calibration_file_name(c) && bytes.empty()) continue;
    files.push_back({name, kind, bytes, root / name, root / (name + kTempSuffix), root / (name + kOldSuffix)});
  }
  return files;
}

// Writes the files of DRAFT of the kinds that WRITE_NOW says; false with
// *PROBLEM (the draft discarded) when one could not be written.
template <class WriteNow>
bool write_draft_files(CaseDraft& draft, const WrittenCurve* curve, const PointsWritten* follow,
                       const ImportFindings* findings, WriteNow write_now, std::string* problem) {
  for (const DraftFile& f : draft.files) {
    if (!write_now(f.kind)) continue;
    const std::string* bytes = &f.bytes;
    if (f.kind == DraftFile::Kind::thrust_data) bytes = nullptr;
    if (f.kind == DraftFile::Kind::json) bytes = &findings->json;
    const std::string report = f.kind == DraftFile::Kind::report ? windows_text(findings->report) : "";
    if (f.kind == DraftFile::Kind::report) bytes = &report;
    if (write_file(f.temp, bytes, curve, follow)) continue;
    *problem =
        "erro ao escrever " + console_name(name_of_path(f.temp)) + ": " + std::strerror(errno) + "; nada foi escrito";
    discard_case(draft);
    return false;
  }
  return true;
}

}  // namespace

CaseDraft::~CaseDraft() { discard_case(*this); }

bool draft_case(const std::string& dir, const ImportedCase& c, const WrittenCurve& curve, const PointsWritten& follow,
                bool replace, const std::string& not_to_touch, CaseDraft* draft, std::string* problem) {
  draft->root = path_of_name(dir);
  draft->files = draft_files(draft->root, c);
  std::vector<fs::path> inputs = {path_of_name(not_to_touch)};
  if (!c.calibration_source.empty()) inputs.push_back(path_of_name(c.calibration_source));
  *problem = refusal(draft->files, inputs, replace);
  if (!problem->empty()) return false;
  draft->made_root = !exists_somehow(draft->root);
  std::error_code error;
  fs::create_directories(draft->root, error);
  if (error || !fs::is_directory(draft->root)) {
    *problem = "não foi possível criar o diretório " + console_name(dir) + (error ? ": " + error.message() : "");
    return false;
  }
  if (replace && c.calibration_text.empty()) draft->stale_calibration = draft->root / calibration_file_name(c);
  clear_leftovers(draft->files);
  std::vector<fs::path> temps;
  for (const DraftFile& f : draft->files) temps.push_back(f.temp);
  remove_on_interrupt(temps);
  draft->pending = true;
  auto own = [](DraftFile::Kind kind) { return kind == DraftFile::Kind::text || kind == DraftFile::Kind::thrust_data; };
  return write_draft_files(*draft, &curve, &follow, nullptr, own, problem);
}

std::string drafted_thrust_data(const CaseDraft& draft) {
  for (const DraftFile& f : draft.files) {
    if (f.kind == DraftFile::Kind::thrust_data) return name_of_path(f.temp);
  }
  return "";
}

bool place_case(CaseDraft& draft, const ImportFindings& findings, std::vector<std::string>* written,
                std::string* problem) {
  auto found = [](DraftFile::Kind kind) { return kind == DraftFile::Kind::report || kind == DraftFile::Kind::json; };
  if (!write_draft_files(draft, nullptr, nullptr, &findings, found, problem)) return false;
  const bool swapped = swap_in(draft.files, problem);
  forget_temporary_files();
  draft.pending = false;
  if (!swapped) return false;
  for (const DraftFile& f : draft.files) written->push_back(f.name);
  if (!draft.stale_calibration.empty() && exists_somehow(draft.stale_calibration)) {
    std::error_code error;
    fs::remove(draft.stale_calibration, error);
  }
  return true;
}

void discard_case(CaseDraft& draft) {
  if (!draft.pending) return;
  std::error_code error;
  for (const DraftFile& f : draft.files) fs::remove(f.temp, error);
  if (draft.made_root) fs::remove(draft.root, error);
  forget_temporary_files();
  draft.pending = false;
}

bool write_case(const std::string& dir, const ImportedCase& c, const WrittenCurve& curve,
                const ImportFindings& findings, bool replace, const std::string& not_to_touch,
                std::vector<std::string>* written, std::string* problem) {
  CaseDraft draft;
  return draft_case(dir, c, curve, nullptr, replace, not_to_touch, &draft, problem) &&
         place_case(draft, findings, written, problem);
}
