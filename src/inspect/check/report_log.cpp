// The report's sections on the log itself: its lines, its events, its
// time stamps, its zero.
#include <cmath>

#include "inspect/check/report.h"
#include "inspect/common/native_name.h"
#include "inspect/common/program_command.h"
#include "inspect/common/text.h"
#include "inspect/program/line_hint.h"
#include "io/severe_error.h"

namespace {

constexpr double kRateMismatchPercent = 1.0;
// A log that ends this share of the peak off its zero has drifted.
constexpr double kFarEndShare = 0.05;
constexpr std::size_t kSpikesListed = 5;

std::string read_error_number(ReadError error) { return std::to_string(severe_number(error)); }

std::string event_line(std::size_t number, const Event& e) {
  return "  " + std::to_string(number) + ": " + fixed(e.start, 3) + " s a " + fixed(e.end, 3) + " s, " +
         std::to_string(e.records()) + (e.records() == 1 ? " registro" : " registros") + ", pico " + fixed(e.peak, 2) +
         " N, impulso " + fixed(e.impulse, 3) + " N·s: " + shape_text(e.shape);
}

void report_stretch(Report& out, const char* label, const QuietStretch& q) {
  out.line(std::string("  ") + label + " (" + shortest(q.from) + " s a " + shortest(q.to) + " s, " +
           std::to_string(q.last - q.first + 1) + " registros): média " + fixed(q.mean, 3) + " N, ruído " +
           fixed(q.noise, 3) + " N");
}

}  // namespace

std::string quoted(std::string_view line) {
  std::string text = printable_line(line);
  text.insert(text.begin(), '"');
  text.push_back('"');
  return text;
}

std::string ms(double seconds) { return fixed(seconds * 1000.0, 3) + " ms"; }

void report_file(Report& out, const InspectInput& in) {
  const ThrustFile& f = in.file;
  out.line("1. Arquivo de empuxo: " + in.thrust_name);
  std::string span = "  " + std::to_string(f.size()) + " registros em " + std::to_string(f.lines) + " linhas";
  if (f.size() > 0) span += "; tempo de " + shortest(f.t.front()) + " s a " + shortest(f.t.back()) + " s";
  out.line(span);
  bool clean = true;
  if (f.unreadable.count > 0) {
    clean = false;
    out.warn("o leitor do programa não lê a linha " + std::to_string(f.unreadable.first_line) + ": " +
             ::quoted(f.unreadable.first_text) + " (" + hint_text(f.first_hint) + ")");
    out.line("         o programa pararia nela com o erro " + read_error_number(f.first_error) + "; " +
             std::to_string(f.unreadable.count) +
             (f.unreadable.count == 1 ? " linha ilegível" : " linhas ilegíveis ao todo") +
             (f.stopped_at_long_line    ? ""
              : f.unreadable.count == 1 ? "; a análise abaixo continua depois dela"
                                        : "; a análise abaixo continua depois delas"));
  }
  if (f.stopped_at_long_line) {
    out.warn("a linha " + std::to_string(f.lines) + " passa de " + std::to_string(kMaxLine >> 20) +
             " MiB sem fim de linha: a leitura para nela (o resto pode não ter fim, como o de um "
             "dispositivo)");
  }
  for (const std::string& note : in.name_notes) out.warn(note);
  if (f.decimal_comma.count > 0) {
    clean = false;
    out.warn("vírgula decimal na linha " + std::to_string(f.decimal_comma.first_line) + ": " +
             ::quoted(f.decimal_comma.first_text) +
             "; o leitor toma a vírgula por separador e lê t = " + shortest(f.decimal_comma_t) +
             ", F = " + shortest(f.decimal_comma_F) + " (" + std::to_string(f.decimal_comma.count) + " linhas assim)");
  }
  if (f.null_or_slash.count > 0) {
    clean = false;
    out.warn("valor nulo ou barra na linha " + std::to_string(f.null_or_slash.first_line) + ": " +
             ::quoted(f.null_or_slash.first_text) + "; o programa repete o valor anterior (" +
             std::to_string(f.null_or_slash.count) + " registros assim)");
  }
  if (f.split.count > 0) {
    clean = false;
    out.warn("registro em mais de uma linha, terminando na linha " + std::to_string(f.split.first_line) + ": " +
             ::quoted(f.split.first_text) + " (" + std::to_string(f.split.count) + " registros assim)");
  }
  if (f.incomplete.count > 0) {
    clean = false;
    out.warn("a linha " + std::to_string(f.incomplete.first_line) + " tem um só valor e o arquivo acaba nela");
  }
  if ((f.unreadable.count > 0 && import_reads(f.first_hint)) || f.decimal_comma.count > 0) {
    out.line("  para converter o arquivo num caso: " + companion_command() + " importar " +
             typed_word(console_name(in.thrust_name)) + " --massa KG --saida DIR");
  }
  if (clean) out.line("  o leitor do programa lê todas as linhas");
}

void report_events(Report& out, const Inspection& s) {
  const FiringAnalysis& a = s.a;
  const auto& events = a.scan.events;
  out.line("2. Eventos acima do zero (limiar " + fixed(a.scan.threshold, 3) + " N acima de " + fixed(a.zero.zero, 3) +
           " N): " + std::to_string(events.size()));
  // Every event but spikes past the first few: a noisy converter makes many.
  std::size_t spikes_listed = 0;
  for (std::size_t i = 0; i < events.size(); ++i) {
    if (events[i].shape == EventShape::spike && spikes_listed++ >= kSpikesListed) continue;
    std::string text = event_line(i + 1, events[i]);
    if (a.chosen && *a.chosen == i) text += " <- a queima analisada";
    if (a.ejection && *a.ejection == i) text += " <- carga de ejeção?";
    out.line(text);
  }
  if (!a.chosen) return;
  if (s.in.choice.event > 0) {
    out.line("  a queima analisada é o evento " + std::to_string(*a.chosen + 1) + " (--evento)");
  } else if (!a.chosen_by_shape) {
    out.warn(
        "nenhum evento tem a forma de uma queima (subida rápida, uma só corcova, descida mais lenta); a análise "
        "segue o de maior impulso, o evento " +
        std::to_string(*a.chosen + 1) + ": confira o registro, ou escolha outro com --evento N ou --de T --ate T");
  } else if (a.burn_like > 1) {
    out.warn(std::to_string(a.burn_like) +
             " eventos têm a forma de uma queima; a análise segue o de maior impulso, o " + "evento " +
             std::to_string(*a.chosen + 1) + ": escolha outro com --evento N ou --de T --ate T");
  }
  std::size_t spikes = 0;
  for (const Event& e : events) spikes += e.shape == EventShape::spike;
  if (spikes > 0) {
    out.line("  " + std::to_string(spikes) + (spikes == 1 ? " pico isolado fica" : " picos isolados ficam") +
             " fora da queima, do pico e da classe" +
             (spikes > kSpikesListed ? " (os " + std::to_string(kSpikesListed) + " primeiros na lista)" : ""));
  }
  // A spike inside the burn would have moved its threshold and its peak.
  if (!a.set_aside.empty()) out.warn(warning_text(a, "spike"));
  if (a.ejection) {
    out.line("  atraso da ejeção: " + fixed(a.ejection_delay, 2) + " s do fim da queima (" + fixed(a.burn->end, 3) +
             " s) ao início do evento " + std::to_string(*a.ejection + 1) + " (" + fixed(events[*a.ejection].start, 3) +
             " s)");
  }
}

void report_sampling(Report& out, const Inspection& s, const Sampling& sm) {
  const FiringAnalysis& a = s.a;
  const InspectInput& in = s.in;
  const std::int32_t w = s.suggested.values.w > 0 ? s.suggested.values.w : a.w;
  const Rate& r = a.rate;
  const char* origin = in.case_values ? " (do caso)" : in.rate > 0 ? " (--rate)" : " (estimado)";
  out.line("3. Amostragem: w = " + std::to_string(w) + " Hz" + origin + ", passo do programa 1/w = " + ms(1.0 / w));
  out.line("  passo medido: mediana " + ms(sm.median) + ", mínimo " + ms(sm.min) + ", máximo " + ms(sm.max));
  if (a.burn) {
    out.line("  na queima: " + fixed(r.per_second, 2) + " registros por segundo, passo mediano " + ms(r.median_step) +
             "; taxa medida " + fixed(r.measured, 2) + " Hz");
  }
  out.line("  tempos repetidos: " + std::to_string(sm.repeated) + "; tempos que voltam: " +
           std::to_string(sm.backward) + "; lacunas maiores que 1,5/w: " + std::to_string(sm.gaps) +
           (a.window ? " (" + std::to_string(s.gaps_in_window) + " na janela sugerida)" : ""));
  if (!a.burn) return;
  if (r.batched) {
    out.warn("tempos em lotes: " + std::to_string(sm.repeated) +
             " registros repetem o tempo do anterior; a taxa vem dos registros por segundo (" + fixed(r.per_second, 2) +
             " Hz), não do passo entre tempos distintos (" + ms(r.median_step) + ")");
  } else if (sm.repeated > 0) {
    out.warn(std::to_string(sm.repeated) + (sm.repeated == 1 ? " tempo repetido" : " tempos repetidos") +
             ": cada um vira um ponto a mais da curva");
  }
  if (r.burst) {
    out.warn("amostragem em rajadas: passos de " + ms(r.median_step) + " com pausas maiores entre eles; " +
             fixed(r.per_second, 2) + " registros por segundo na queima contra " + fixed(1.0 / r.median_step, 2) +
             " Hz pelo passo mediano: o passo fixo 1/w do programa deforma a curva no tempo");
  }
  if (sm.backward > 0)
    out.warn(std::to_string(sm.backward) + " tempos que voltam atrás: o programa não confere a ordem");
  if (s.gaps_in_window > 0 && !r.burst) {
    out.warn(std::to_string(s.gaps_in_window) +
             " lacunas maiores que 1,5/w na janela sugerida (a maior do arquivo de " + ms(sm.largest_gap) +
             "): o programa as encurta para 1/w");
  }
  const bool given = in.case_values || in.rate > 0;
  if (!(r.measured > 0.0)) return;
  if (!r.w_fits && !r.burst) {
    out.warn("nenhum w inteiro cabe em " + fixed(kRateFitPercent, 1) + " % na taxa medida de " + fixed(r.measured, 2) +
             " Hz: com w = " + std::to_string(r.w) + " Hz o impulso do programa muda em " + percent(r.w_error, 1) +
             "; reamostre o registro a uma taxa inteira");
  }
  const double mismatch = (r.measured / w - 1.0) * 100.0;
  if (given && std::fabs(mismatch) > kRateMismatchPercent) {
    out.warn("a taxa medida na queima (" + fixed(r.measured, 2) + " Hz) difere de w = " + std::to_string(w) +
             " Hz em " + percent(mismatch, 1) + ": o impulso do programa muda nessa proporção" +
             (r.w_fits && keeps_impulse(s.suggested.reading, w, r.w)
                  ? "; os tempos pedem w = " + std::to_string(r.w) + " Hz"
                  : ""));
  }
}

void report_zero(Report& out, const Inspection& s) {
  const FiringAnalysis& a = s.a;
  out.line("4. Zero da balança (empuxo sem motor aceso) e cauda da queima");
  const std::string shift = warning_text(a, "zero-shift");
  if (!shift.empty()) out.warn(shift);
  if (a.zero.start)
    report_stretch(out, "no início", *a.zero.start);
  else
    out.warn("o registro não tem uma parte em zero no início: começa já com empuxo ou com a célula em movimento");
  if (a.zero.end) {
    report_stretch(out, "no fim", *a.zero.end);
  } else if (a.tail_to_end) {
    out.warn("a queima termina numa cauda que ainda cai no fim do registro: não há zero depois dela, e o registro " +
             std::string("foi cortado antes do fim do empuxo"));
  } else {
    out.warn("o registro não tem uma parte em zero no fim");
  }
  if (!a.zero.measured) out.line("  sem zero medido, o zero é tomado como 0 N");
  const double peak = a.burn ? a.burn->Fmax : 0.0;
  if (a.zero.start && offset_is_clear(*a.zero.start, peak)) {
    const auto& u = s.suggested;
    std::string effect;
    if (u.reading.end == ProgramEnd::past_window && u.reading.tared_fixed_It != 0.0) {
      const double change = (u.reading.fixed_It - u.reading.tared_fixed_It) / u.reading.tared_fixed_It * 100.0;
      effect = "; ele muda o impulso do programa em " + percent(change, 1) + " (" + fixed(u.reading.fixed_It, 3) +
               " N·s; " + fixed(u.reading.tared_fixed_It, 3) + " N·s sem ele)";
    }
    std::string load;
    if (a.zero.end && offset_is_clear(*a.zero.end, peak) &&
        std::fabs(a.zero.end->mean - a.zero.start->mean) <= 3.0 * (a.zero.start->noise + a.zero.end->noise)) {
      load = " e o mesmo no fim: a célula não foi zerada, ou ficou nela uma carga de " +
             fixed(a.zero.zero / 9.80665, 3) + " kg";
    }
    out.warn("deslocamento do zero de " + fixed(a.zero.start->mean, 2) + " N antes da ignição, ruído " +
             fixed(a.zero.start->noise, 2) + " N" + load + effect);
    if (!load.empty()) return;
  }
  if (a.zero.start && a.zero.end) {
    QuietStretch drift = *a.zero.end;
    drift.mean -= a.zero.start->mean;
    if (offset_is_clear(drift, peak)) {
      out.warn("o zero deriva " + fixed(drift.mean, 2) + " N do início ao fim (de " + fixed(a.zero.start->mean, 2) +
               " N a " + fixed(a.zero.end->mean, 2) + " N): aquecimento ou deslizamento da célula?");
    }
  } else if (a.zero.end && offset_is_clear(*a.zero.end, peak)) {
    out.warn("deslocamento do zero de " + fixed(a.zero.end->mean, 2) + " N depois da queima, ruído " +
             fixed(a.zero.end->noise, 2) + " N");
  } else if (!a.zero.end && !a.tail_to_end && peak > 0.0 &&
             std::fabs(s.last_level - a.zero.zero) > kFarEndShare * peak) {
    out.warn("o registro termina em " + fixed(s.last_level, 2) + " N, longe do zero de " + fixed(a.zero.zero, 2) +
             " N (deriva da célula?)");
  }
}
