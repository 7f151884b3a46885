#pragma once

#include <cstdint>
#include <vector>

namespace quillotap {

// One block of interleaved 16-bit samples. Its "upper bound" is size() - 1,
// so an empty block has upper bound -1 and means "no data" / "end of data".
using SampleBlock = std::vector<int16_t>;

} // namespace quillotap
