#include "inspect/json/output.h"

#include "inspect/common/console.h"
#include "inspect/common/native_name.h"
#include "inspect/common/outcome.h"
#include "inspect/common/same_file.h"
#include "inspect/json/firing.h"
#include "io/whole_file.h"

namespace {

constexpr char kJsonOption[] = "--json";

// Where the links from PATH end: the file to replace, made or not yet.
std::filesystem::path link_end(std::filesystem::path path) {
  std::error_code error;
  for (int hops = 0; hops < 40 && std::filesystem::is_symlink(std::filesystem::symlink_status(path, error)); ++hops) {
    const std::filesystem::path to = std::filesystem::read_symlink(path, error);
    if (error) break;
    path = to.is_absolute() ? to : std::filesystem::absolute(path, error).parent_path() / to;
  }
  return path;
}

}  // namespace

std::FILE* report_stream(const JsonRun& run) { return run.target == kJsonToStandardOutput ? stderr : stdout; }

std::string json_target_in(std::span<const std::string> args) {
  for (std::size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] == kJsonOption) return args[i + 1];
  }
  return "";
}

std::vector<std::filesystem::path> paths_in(std::span<const std::string> args) {
  std::vector<std::filesystem::path> paths;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::error_code error;
    if (args[i] == kJsonOption) {
      ++i;  // the document's own name
    } else if (!args[i].empty() && args[i] != kJsonToStandardOutput) {
      paths.push_back(std::filesystem::absolute(path_of_name(args[i]), error));
    }
  }
  return paths;
}

std::string json_target_problem(const JsonRun& run) {
  if (run.target.empty() || run.target == kJsonToStandardOutput) return "";
  if (const std::filesystem::path* kept = same_file_among(path_of_name(run.target), run.kept)) {
    return console_name(run.target) + " é " + console_name(name_of_path(*kept)) +
           ", que esta execução lê ou escreve: o JSON não será escrito nele";
  }
  return "";
}

bool write_output_file(const std::string& target, std::string_view bytes) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path path = path_of_name(target);
  const fs::file_status status = fs::status(path, error);
  if (fs::exists(status) && !fs::is_regular_file(status) && !fs::is_directory(status)) {
    // A device or a pipe (/dev/stderr, a shell's >(...)) cannot be replaced: written straight.
    std::FILE* out = std::fopen(target.c_str(), "wb");
    const bool written = out != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return out != nullptr && std::fclose(out) == 0 && written;
  }
  return write_whole_file(name_of_path(link_end(path)), bytes);
}

bool write_json_document(const JsonRun& run, std::string_view document, std::string* problem) {
  if (run.target.empty()) return true;
  if (run.target == kJsonToStandardOutput) {
    binary_standard_output();
    if (std::fwrite(document.data(), 1, document.size(), stdout) == document.size() && standard_output_ok()) {
      return true;
    }
    *problem = "erro ao escrever o JSON na saída padrão";
    return false;
  }
  *problem = json_target_problem(run);
  if (!problem->empty()) return false;
  const bool written = write_output_file(run.target, document);
  if (written) return true;
  *problem = "erro ao escrever " + console_name(run.target) + ": nenhum arquivo JSON escrito";
  return false;
}

int finish_with_json(const JsonRun& run, std::string_view document, int status) {
  if (run.target.empty()) return status;
  // The report went to the standard output: lost there, the run failed,
  // and the document must not say otherwise.
  if (run.target != kJsonToStandardOutput && after_report(status) != status) {
    return json_error(run, "report-lost", "erro ao escrever o relatório na saída padrão");
  }
  std::string problem;
  if (!write_json_document(run, document, &problem)) return fail(problem);
  return status;
}

int json_error(const JsonRun& run, std::string_view code, std::string_view text) {
  std::string problem;
  if (!write_json_document(run, json_error_document(run.command, code, text), &problem)) fail(problem);
  return kStatusUnusable;
}

int json_severe(const JsonRun& run, const SevereError& error) {
  fail_severe(error);
  const std::string number = std::to_string(error.number());
  return json_error(run, "severe-" + number, "severe (" + number + "): " + console_name(error.text()));
}

std::optional<int> settled_with_json(CommandLine line, const Invocation& call, const std::string& problem,
                                     std::string_view command, std::span<const std::filesystem::path> kept) {
  if (line != CommandLine::refused) return settled(line, call, problem);
  JsonRun json{command, json_target_in(call.args), paths_in(call.args)};
  json.kept.insert(json.kept.end(), kept.begin(), kept.end());
  const std::string message = problem + see_help(*call.command);
  fail(message);
  return json_error(json, "usage", message);
}
