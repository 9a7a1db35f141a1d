#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace virtualpedal {

// Cuts a byte stream into frames. Bytes outside frames are skipped; a frame with a wrong check
// value costs only itself (the search resumes behind its 0xAA).
class FrameAssembler {
public:
    using Sink = std::function<void(const std::vector<std::uint8_t>& frame, bool good)>;

    // Appends bytes and hands every complete frame to `sink`, in order.
    void append(const std::uint8_t* data, std::size_t size, const Sink& sink);
    void clear() { buffer_.clear(); }

private:
    std::vector<std::uint8_t> buffer_;
};

} // namespace virtualpedal
