#include "virtualpedal/frameassembler.h"

#include "virtualpedal/framecodec.h"

#include <algorithm>

namespace virtualpedal {

void FrameAssembler::append(const std::uint8_t* data, std::size_t size, const Sink& sink) {
    buffer_.insert(buffer_.end(), data, data + size);
    std::size_t scan = 0;
    for (;;) {
        auto start = std::find(buffer_.begin() + static_cast<std::ptrdiff_t>(scan), buffer_.end(),
                               std::uint8_t{0xAA});
        if (start == buffer_.end()) {
            buffer_.clear();
            return;
        }
        const auto pos = static_cast<std::size_t>(start - buffer_.begin());
        if (pos + 1 == buffer_.size()) {
            buffer_.erase(buffer_.begin(), start);
            return;
        }
        if (buffer_[pos + 1] != 0x55) {
            scan = pos + 1;
            continue;
        }
        if (pos + 4 > buffer_.size()) {
            buffer_.erase(buffer_.begin(), start);
            return;
        }
        const std::size_t length = buffer_[pos + 2] | buffer_[pos + 3] << 8;
        if (length == 0) {
            scan = pos + 1;
            continue;
        }
        if (pos + length + 6 > buffer_.size()) {
            buffer_.erase(buffer_.begin(), start);
            return;
        }
        const std::uint16_t expected = FrameCodec::checkValue(&buffer_[pos + 2], length + 2);
        const std::uint16_t given =
            static_cast<std::uint16_t>(buffer_[pos + length + 4] << 8 | buffer_[pos + length + 5]);
        std::vector<std::uint8_t> frame(start, start + static_cast<std::ptrdiff_t>(length + 6));
        // Consume before the sink runs: it may clear the buffer.
        const bool good = expected == given;
        buffer_.erase(buffer_.begin(),
                      good ? start + static_cast<std::ptrdiff_t>(length + 6) : start + 1);
        sink(frame, good);
        scan = 0;
    }
}

} // namespace virtualpedal
