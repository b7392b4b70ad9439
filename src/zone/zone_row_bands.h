// Splits a run of rows of the zone into bands by the one thread policy
// (document/row_bands.h). Every zone pixel depends only on the working copy
// and the planes, so the bands may run in any order with the same result.
#pragma once

#include <functional>

#include "document/row_bands.h"

namespace wrimple {

// Calls band(first, last) for consecutive bands covering rows begin .. end - 1.
inline void ForEachZoneRowBand(int begin, int end, const std::function<void(int first, int last)>& band) {
  ForEachRowBand(begin, end, ThreadsForRows(end - begin), band);
}

}  // namespace wrimple
