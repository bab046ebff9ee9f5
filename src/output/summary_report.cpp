#include "output/summary_report.h"

#include <cstdint>
#include <string>

#include "core/output_names.h"
#include "core/trimmed.h"
#include "io/unit.h"
#include "output/format.h"
#include "output/report_header.h"

namespace {

using namespace layout;

// Values: original, ti, tf, Fcor, M*1000, w, dt, go, nmax, nc.
// clang-format off
constexpr LayoutItem kLayoutD[] = {
    slash, slash, lit(" ---------- DADOS ----------"), slash, slash, slash,
    lit("   original = nome do arquivo de dados originais de empuxo versus tempo = "), A, slash, slash,
    lit("   ti = tempo original inicial (s) = "), PE(15, 7), slash, slash,
    lit("   tf = tempo original final (s)   = "), PE(15, 7), slash, slash,
    lit("   Fcor = valor m\xEDnimo de corte do empuxo na curva de empuxo (N) = "), PE(15, 6), slash, slash,
    lit("   M = massa de propelente (g) = "), PE(15, 6), slash, slash,
    lit("   w = freq\xFC\xEAncia da aquisi\xE7\xE3o de dados (Hz) = "), I(6), slash, slash,
    lit("   dt = intervalo de tempo entre duas medidas (s) = "), PE(15, 7), slash, slash,
    lit("   go = acelera\xE7\xE3o gravitacional ao n\xEDvel do mar (m/s2) = "), PE(15, 6), slash, slash,
    lit("   nmax = n\xFAmero m\xE1ximo de pontos para a curva de empuxo = "), I(8), slash,
    lit("   nc = n\xFAmero de pontos da curva processada = "), I(6),
};

// Values: It, Fmed, tq, classe, Fmed.
constexpr LayoutItem kLayoutR[] = {
    slash, slash, lit(" ---------- RESULTADOS PRINCIPAIS ----------"), slash, slash, slash,
    lit("   It     = impulso total real (Ns) = "), PE(15, 6), slash, slash,
    lit("   Fmed   = empuxo m\xE9" "dio (N) = "), PE(15, 6), slash, slash,
    lit("   tq     = tempo de queima (s) = "), PE(15, 7), slash, slash,
    lit("   classe = classifica\xE7\xE3o do motor =   "), A, PE(6, 0),
};

// Values: fm, c, Is, Fmax, tmax.
constexpr LayoutItem kLayoutO[] = {
    slash, slash, lit(" ---------- OUTROS RESULTADOS ----------"), slash, slash, slash,
    lit("   fm   = fluxo de massa m\xE9" "dio = M/tq (g/s) = "), PE(15, 6), slash, slash,
    lit("   c    = velocidade de exaust\xE3o efetiva m\xE9" "dia (m/s) = "), PE(15, 6), slash, slash,
    lit("   Is   = impulso espec\xED" "fico m\xE9" "dio (s) = "), PE(15, 6), slash, slash,
    lit("   Fmax = empuxo m\xE1ximo (N) = "), PE(15, 6), slash,
    lit("   tmax = tempo de Fmax (s) = "), PE(15, 6),
};

// Values: Fmed, Fmax, Fmin, Fmax/Fmed, Fmin/Fmed. The five column titles
// start where the five values below them start.
constexpr LayoutItem kLayoutS[] = {
    slash, slash,
    X(1), lit("--- vari\xE1vel ---"), X(3), lit("--- m\xE9" "dia -----"), X(3), lit("--- m\xE1ximo ----"),
    X(3), lit("--- m\xEDnimo ----"), X(3), lit("-- max / med --"), X(3), lit("-- min / med --"), slash, slash,
    T(2), lit("F real [N] ....."), T(18), group(5), X(3), PE(15, 6), end_group,
};
// clang-format on

}  // namespace

void write_summary_report(RunContext& rc) {
  Unit unit(kUnitReport, report_file_name(rc), OpenMode::write);
  write_report_header(unit, rc);
  write_layout(unit, kLayoutD,
               {trimmed(rc.original), rc.ti, rc.tf, rc.Fcor, rc.M * 1000.0, rc.w, rc.dt, go, rc.nmax, rc.nc});
  write_layout(unit, kLayoutR, {rc.It, rc.Fmed, rc.tq, trimmed(rc.classe), rc.Fmed});
  // With the time origin at the window's start, tmax is shown on the curve's
  // time scale; the changed value stays in the run context.
  if (rc.time_origin_option == 0) rc.tmax = rc.tmax - rc.ti;
  write_layout(unit, kLayoutO, {rc.fm, rc.c, rc.Is, rc.Fmax, rc.tmax});
  write_layout(unit, kLayoutS, {rc.Fmed, rc.Fmax, rc.Fmin, rc.Fmax / rc.Fmed, rc.Fmin / rc.Fmed});
  unit.close();
}
