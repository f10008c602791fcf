// Arbitrary bytes, cut into arbitrary chunks, through the reply reader; every
// frame it yields must be whole and checksummed, and must decode without harm.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FrameReader.h"
#include "link/StatusFrame.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // The first byte chooses the chunk size (1..32) and the reader's capacity.
  const std::size_t chunk = (data[0] & 0x1F) + 1u;
  const std::size_t capacity = 48u + (data[0] >> 5) * 64u;
  ++data;
  --size;

  qelhard::FrameReader reader(qelhard::kReplyFormat, capacity);
  qelhard::Reply frame{};
  vorenx::InstrumentState state;
  for (std::size_t offset = 0; offset < size; offset += chunk) {
    const std::size_t n = size - offset < chunk ? size - offset : chunk;
    reader.Feed(data + offset, n);
    if (reader.Buffered() > capacity) std::abort();
    while (reader.Next(frame.data())) {
      if (!qelhard::HeaderMatches(qelhard::kReplyFormat, frame.data()) ||
          !qelhard::ChecksumMatches(qelhard::kReplyFormat, frame.data()))
        std::abort();
      vorenx::DecodeStatusFrame(frame.data(), state);
    }
  }
  return 0;
}
