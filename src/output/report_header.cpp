#include "output/report_header.h"

#include "core/trimmed.h"
#include "output/format.h"

namespace {

using namespace layout;

// "#", /, "#", T4, "Saída do programa ...", /, "#", /, "#", T4, "Caso   = ", A, /,
// "#", /, "#", T4, "Título = ", A, /, "#"
// clang-format off
constexpr LayoutItem kLayoutH[] = {
    lit("#"), slash,
    lit("#"), T(4), lit("Sa\xED" "da do programa TALVIRONESKA 2.1, vers\xE3o de 29 Set 2014"), slash,
    lit("#"), slash,
    lit("#"), T(4), lit("Caso   = "), A, slash,
    lit("#"), slash,
    lit("#"), T(4), lit("T\xEDtulo = "), A, slash,
    lit("#"),
};
// clang-format on

}  // namespace

void write_report_header(Unit& unit, const RunContext& rc) {
  write_layout(unit, kLayoutH, {trimmed(rc.case_name), trimmed(rc.title)});
}
