#include "inspect/series/series.h"

#include <vector>

#include "inspect/firing/motor_class.h"

SeriesSummary summarize(std::span<const Firing> firings) {
  const auto stats = [&](auto figure) {
    std::vector<double> values;
    values.reserve(firings.size());
    for (const Firing& f : firings) values.push_back(figure(f));
    return figure_stats(values);
  };
  SeriesSummary s;
  s.It = stats([](const Firing& f) { return f.program.It; });
  s.Fmed = stats([](const Firing& f) { return f.program.Fmed; });
  s.tq = stats([](const Firing& f) { return f.program.tq; });
  s.Fmax = stats([](const Firing& f) { return f.program.Fmax; });
  s.tmax = stats([](const Firing& f) { return f.program.tmax; });
  s.Is = stats([](const Firing& f) { return f.program.Is; });
  s.duration = stats([](const Firing& f) { return f.standard.duration; });
  s.It5 = stats([](const Firing& f) { return f.standard.It; });
  s.Fmed5 = stats([](const Firing& f) { return f.standard.Fmed; });
  s.designation = designation_of(s.It5.mean, s.Fmed5.mean);

  std::vector<double> It, Fmed, M;
  for (const Firing& f : firings) {
    It.push_back(f.program.It);
    Fmed.push_back(f.program.Fmed);
    M.push_back(f.values.M);
  }
  s.certification = certify({It, Fmed, M});
  return s;
}
