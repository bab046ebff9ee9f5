// Readings far above a burn that no motor makes: a glitch of the amplifier
// or of the line, alone or next to a gap in the stamps.
#ifndef TALVIRONESKA_INSPECT_FIRING_SPIKES_H_
#define TALVIRONESKA_INSPECT_FIRING_SPIKES_H_

#include <cstddef>
#include <vector>

#include "inspect/firing/signal.h"

inline constexpr double kSpikeTimesPeak = 3.0;
inline constexpr std::size_t kWidestSpike = 3;  // records

// The records of [FROM, TO] in runs of at most three that read 3 times or
// more the peak of the burn-shaped event [FIRST, LAST], that peak taken
// without them; in increasing order.
std::vector<std::size_t> find_spikes(const Signal& s, std::size_t from, std::size_t to, std::size_t first,
                                     std::size_t last);

#endif  // TALVIRONESKA_INSPECT_FIRING_SPIKES_H_
