#include "inspect/import/options.h"

#include <charconv>
#include <cmath>
#include <set>
#include <string_view>

namespace {

bool real_value(std::string_view text, double* value) {
  if (text.starts_with("+")) text.remove_prefix(1);
  const auto result = std::from_chars(text.data(), text.data() + text.size(), *value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size() && std::isfinite(*value);
}

bool integer_value(std::string_view text, int* value) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), *value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

bool takes_value(std::string_view option) {
  static const std::set<std::string_view> options = {"--saida", "--massa",        "--tempo",  "--empuxo",
                                                     "--fator", "--deslocamento", "--coluna", "--taxa",
                                                     "--tara",  "--caso",         "--titulo", "--json"};
  return options.count(option) > 0;
}

}  // namespace

bool parse_import_options(int argc, const char* const* argv, int first, ImportOptions* o, std::string* problem) {
  std::set<std::string_view> seen;
  auto bad = [&](std::string_view option, std::string_view value, const char* wanted) {
    *problem = std::string(option) + " pede " + wanted + ", não \"" + std::string(value) + "\"";
    return false;
  };
  for (int i = first; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.starts_with("--") || (arg.starts_with("-") && arg != "-")) {
      if (!seen.insert(arg).second) {
        *problem = "a opção " + std::string(arg) + " aparece duas vezes";
        return false;
      }
    }
    if (takes_value(arg) && i + 1 == argc) {
      *problem = "falta o valor de " + std::string(arg);
      return false;
    }
    if (arg == "--help" || arg == "-h") {
      o->help = true;
    } else if (arg == "--saida") {
      o->output_dir = argv[++i];
      if (o->output_dir.empty()) return bad(arg, "", "um diretório");
    } else if (arg == "--massa") {
      double M;
      const std::string_view v = argv[++i];
      if (!real_value(v, &M) || !(M > 0.0)) return bad(arg, v, "a massa de propelente em kg, um número positivo");
      o->M = M;
    } else if (arg == "--tempo") {
      const std::string_view v = argv[++i];
      o->time_unit = time_unit_named(v);
      if (o->time_unit == TimeUnit::none) return bad(arg, v, "s, ms, us ou epoch");
    } else if (arg == "--empuxo") {
      const std::string_view v = argv[++i];
      o->thrust_unit = thrust_unit_named(v);
      if (o->thrust_unit == ThrustUnit::none) return bad(arg, v, "N, g, kg, kgf ou lbf");
    } else if (arg == "--fator") {
      double f;
      const std::string_view v = argv[++i];
      if (!real_value(v, &f) || f == 0.0) return bad(arg, v, "um número diferente de zero");
      o->factor = f;
    } else if (arg == "--deslocamento") {
      const std::string_view v = argv[++i];
      if (!real_value(v, &o->offset)) return bad(arg, v, "um número");
    } else if (arg == "--coluna") {
      const std::string_view v = argv[++i];
      if (!integer_value(v, &o->column) || o->column < 1) return bad(arg, v, "o número da coluna, a partir de 1");
    } else if (arg == "--taxa") {
      const std::string_view v = argv[++i];
      if (!real_value(v, &o->rate) || !(o->rate > 0.0)) return bad(arg, v, "a taxa de amostragem em Hz, positiva");
    } else if (arg == "--tara") {
      const std::string_view v = argv[++i];
      if (v == "auto") {
        o->tare = TareMode::automatic;
      } else if (v == "nenhuma") {
        o->tare = TareMode::none;
      } else if (real_value(v, &o->tare_value)) {
        o->tare = TareMode::value;
      } else {
        return bad(arg, v, "auto, nenhuma ou um valor em N");
      }
    } else if (arg == "--deriva") {
      o->drift = true;
    } else if (arg == "--medido") {
      o->measured = true;
    } else if (arg == "--caso") {
      o->case_name = argv[++i];
    } else if (arg == "--titulo") {
      o->title = argv[++i];
    } else if (arg == "--substituir") {
      o->replace = true;
    } else if (arg == "--json") {
      o->json_file = argv[++i];
      if (o->json_file.empty()) return bad(arg, "", "um nome de arquivo ou -");
    } else if (arg.starts_with("-") && arg != "-") {
      *problem = "opção desconhecida " + std::string(arg);
      return false;
    } else if (o->log.empty()) {
      o->log = arg;
    } else {
      *problem = "um só arquivo de registro por vez";
      return false;
    }
  }
  if (o->help) return true;
  if (o->log.empty()) {
    *problem = "falta o arquivo de registro";
  } else if (!o->M) {
    *problem = "falta --massa KG: a massa de propelente, sem a qual o programa não calcula c nem Is";
  } else if (o->output_dir.empty()) {
    *problem = "falta --saida DIR: o diretório do caso";
  } else if (o->rate > 0.0 && o->time_unit != TimeUnit::none) {
    *problem = "--taxa é para arquivos sem coluna de tempo: não vale com --tempo";
  } else if (o->drift && o->tare != TareMode::automatic) {
    *problem = "--deriva corrige a partir do zero antes da ignição: não vale com --tara nenhuma ou um valor";
  } else if (seen.count("--deslocamento") > 0 && !o->factor) {
    *problem = "--deslocamento só vale com --fator";
  } else {
    return true;
  }
  return false;
}

const char* import_usage_text() {
  return "uso: talvironeska-inspect importar REGISTRO --massa KG --saida DIR [opções]\n"
         "\n"
         "Converte o arquivo de um registrador (CSV, planilha, exportação de DAQ) num caso\n"
         "completo que o talvironeska avalia como está: talvironeska_2p1_dados_geral.txt,\n"
         "o arquivo de parâmetros do caso (janela, w e nmax sugeridos), o arquivo de empuxo\n"
         "em s e N numa grade uniforme de passo 1/w e o roteiro do gráfico.\n"
         "\n"
         "  --massa KG          massa de propelente em kg (obrigatória)\n"
         "  --saida DIR         o diretório do caso (criado se não existir)\n"
         "  --tempo U           unidade do tempo: s, ms, us ou epoch (contado do primeiro\n"
         "                      registro); sem ela, a do cabeçalho (time_ms, t_us ...)\n"
         "  --empuxo U          unidade do empuxo: N, g, kg, kgf ou lbf; sem ela, a do\n"
         "                      cabeçalho (weight_g, Force_lbf ...)\n"
         "  --fator F           empuxo = (valor lido - D) x F, na unidade de --empuxo (N\n"
         "                      se não dada), para um canal bruto\n"
         "  --deslocamento D    o D acima, em unidades do canal bruto (padrão 0)\n"
         "  --coluna N          a coluna do empuxo (a partir de 1) quando há mais de duas\n"
         "  --taxa HZ           o arquivo não tem coluna de tempo: um valor a cada 1/HZ s\n"
         "  --tara auto         subtrai o zero antes da ignição (padrão)\n"
         "  --tara nenhuma      não subtrai nada\n"
         "  --tara VALOR        subtrai VALOR newtons\n"
         "  --deriva            corrige a deriva do zero, linear entre o zero antes da\n"
         "                      ignição e o zero depois da queima\n"
         "  --medido            grava os registros nos tempos medidos, sem reamostrar\n"
         "  --caso NOME         nome do caso (padrão: o nome do registro sem extensão)\n"
         "  --titulo TEXTO      título do ensaio\n"
         "  --substituir        substitui arquivos do caso que já existam em DIR\n"
         "  --json ARQ          escreve também os resultados em JSON (UTF-8) em ARQ; com -,\n"
         "                      na saída padrão, e o relatório vai para a saída de erro\n"
         "\n"
         "Separadores vírgula, ponto e vírgula, tabulação ou brancos, cabeçalho, vírgula\n"
         "decimal e fim de linha CR LF são reconhecidos sozinhos. Saída: 0 quando o caso\n"
         "foi escrito, 1 quando foi escrito com avisos, 2 quando nada foi escrito.\n";
}
