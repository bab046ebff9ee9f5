#include "inspect/import/case_writer.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <span>

#include "inspect/common/native_name.h"
#include "inspect/common/same_file.h"
#include "inspect/common/text.h"

namespace fs = std::filesystem;

namespace {

constexpr char kGeneralDataName[] = "talvironeska_2p1_dados_geral.txt";
constexpr char kPlotScriptName[] = "talvironeska_2p1_curva_F-t.gnu";
constexpr char kTempSuffix[] = ".importar-tmp";
constexpr std::size_t kWriteBlock = std::size_t{1} << 20;

// A value and its note, as the example cases set them out.
std::string value_line(const std::string& value, const char* note) {
  std::string line = value;
  line.append(value.size() < 16 ? 16 - value.size() : 1, ' ');
  return line + note + "\r\n";
}

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

bool put(std::FILE* out, const std::string& bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
}

// Writes one file of the case to PATH; false with errno kept.
bool write_file(const fs::path& path, const std::string* bytes, std::span<const ThrustRecord> records) {
  File out(std::fopen(name_of_path(path).c_str(), "wb"), &std::fclose);
  if (!out) return false;
  bool ok = true;
  if (bytes != nullptr) {
    ok = put(out.get(), *bytes);
  } else {
    std::string block;
    block.reserve(kWriteBlock + 64);
    for (std::size_t i = 0; ok && i < records.size();) {
      const std::size_t n = std::min<std::size_t>(records.size() - i, kWriteBlock / 48);
      block.clear();
      append_thrust_lines(records.subspan(i, n), &block);
      ok = put(out.get(), block);
      i += n;
    }
  }
  const int saved = errno;
  const bool closed = std::fclose(out.release()) == 0;
  if (ok && !closed) return false;
  errno = saved;
  return ok;
}

// A path that cannot be looked at counts as there: it is not written over.
bool exists_somehow(const fs::path& path) {
  std::error_code error;
  return fs::symlink_status(path, error).type() != fs::file_type::not_found;
}

}  // namespace

std::string thrust_file_name(const ImportedCase& c) { return c.case_name + ".dat"; }
std::string params_file_name(const ImportedCase& c) { return c.case_name + "_caso.txt"; }
std::vector<std::string> case_file_names(const ImportedCase& c) {
  return {kGeneralDataName, params_file_name(c), thrust_file_name(c), kPlotScriptName};
}

bool valid_case_name(std::string_view name) {
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
  return name.empty() ? "ensaio" : name;
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
  return "# Curva de empuxo. As linhas 1 a 6 s\xE3o suas; cada execu\xE7\xE3o reescreve as linhas 7 e 8.\r\n"
         "set xlabel 't [s]'\r\n"
         "set ylabel 'F [N]'\r\n"
         "set grid\r\n"
         "set style data lines\r\n"
         "set linetype 1 linewidth 2\r\n";
}

void append_thrust_lines(std::span<const ThrustRecord> records, std::string* out) {
  // Room for any double in either form.
  char line[2 * 340 + 3];
  for (const ThrustRecord& r : records) {
    // Times in plain decimals ("0.0005", not "5e-04"), as a user reads them.
    char* p = std::to_chars(line, line + 340, r.t, std::chars_format::fixed).ptr;
    *p++ = ' ';
    p = std::to_chars(p, p + 340, r.F).ptr;
    *p++ = '\r';
    *p++ = '\n';
    out->append(line, p);
  }
}

bool write_case(const std::string& dir, const ImportedCase& c, std::span<const ThrustRecord> records, bool replace,
                const std::string& not_to_touch, std::vector<std::string>* written, std::string* problem) {
  const std::string general = general_data_text(c);
  const std::string params = case_params_text(c);
  const std::string plot = plot_script_text();
  const struct {
    std::string name;
    const std::string* bytes;  // null: the thrust data
    // clang-format off
  } files[] = {
      {kGeneralDataName, &general}, {params_file_name(c), &params}, {thrust_file_name(c), nullptr}, {kPlotScriptName, &plot}};

  const fs::path root = path_of_name(dir);
  const fs::path log = path_of_name(not_to_touch);
  std::error_code error;
  for (const auto& f : files) {
    const fs::path target = root / f.name;
    const std::span<const fs::path> the_log(&log, 1);
    if (same_file_among(target, the_log) != nullptr || same_file_among(root / (f.name + kTempSuffix), the_log) != nullptr) {
      *problem = console_name(name_of_path(target)) + " é o próprio registro: não será sobrescrito";
      return false;
    }
    if (!replace && exists_somehow(target)) {
      *problem = console_name(name_of_path(target)) + " já existe: nada foi escrito (--substituir o substitui)";
      return false;
    }
  }
  const bool made = !exists_somehow(root);
  fs::create_directories(root, error);
  if (error || !fs::is_directory(root)) {
    *problem = "não foi possível criar o diretório " + console_name(dir) + (error ? ": " + error.message() : "");
    return false;
  }
  auto undo = [&](std::size_t count) {
    std::error_code ignored;
    for (std::size_t i = 0; i < count; ++i) fs::remove(root / (files[i].name + kTempSuffix), ignored);
    if (made) fs::remove(root, ignored);
  };
  // clang-format on
  for (std::size_t i = 0; i < std::size(files); ++i) {
    const fs::path temp = root / (files[i].name + kTempSuffix);
    if (!write_file(temp, files[i].bytes, records)) {
      *problem =
          "erro ao escrever " + console_name(name_of_path(temp)) + ": " + std::strerror(errno) + "; nada foi escrito";
      undo(i + 1);
      return false;
    }
  }
  for (std::size_t i = 0; i < std::size(files); ++i) {
    const fs::path target = root / files[i].name;
    // Windows does not rename over an existing file.
    if (replace) fs::remove(target, error);
    fs::rename(root / (files[i].name + kTempSuffix), target, error);
    if (error) {
      *problem = "erro ao dar o nome " + console_name(name_of_path(target)) + ": " + error.message();
      std::error_code ignored;
      for (std::size_t j = i; j < std::size(files); ++j) fs::remove(root / (files[j].name + kTempSuffix), ignored);
      return false;
    }
    written->push_back(files[i].name);
  }
  return true;
}
