#include "virtualpedal/pedalmodel.h"

#include "virtualpedal/framecodec.h"

#include <algorithm>
#include <cstdio>

namespace virtualpedal {

namespace {

// A restarting pedal drops off the bus once its answers are read, or after this at the latest.
constexpr std::chrono::milliseconds restartGrace(20);

std::string hex(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    text.reserve(bytes.size() * 3);
    char digits[4];
    for (std::uint8_t byte : bytes) {
        std::snprintf(digits, sizeof digits, " %02X", byte);
        text += digits;
    }
    return text;
}

// At most `size` bytes of text; the rest of the field stays NUL.
void putText(std::vector<std::uint8_t>& out, std::size_t at, const std::string& text,
             std::size_t size) {
    std::copy_n(text.begin(), std::min(text.size(), size), out.begin() + at);
}

} // namespace

PedalModel::PedalModel(const PedalConfig& config, std::string deviceType, PedalState state,
                       std::function<void(const std::string&)> log,
                       std::function<void(const PedalState&)> changed)
    : config_(config), deviceType_(std::move(deviceType)), state_(std::move(state)),
      log_(std::move(log)), changed_(std::move(changed)), random_(config.paddingSeed) {}

bool PedalModel::refuses(Pipe pipe, const std::uint8_t* data, std::size_t size) {
    // The link starts every frame at the front of an interrupt packet: count, AA, 55, L, code.
    if (config_.stallCode < 0 || pipe != Pipe::Interrupt || size < 6 || data[1] != 0xAA ||
        data[2] != 0x55 || data[5] != config_.stallCode)
        return false;
    ++stallSeen_;
    return config_.stallNth == 0 || stallSeen_ == config_.stallNth;
}

void PedalModel::receive(Pipe pipe, const std::uint8_t* data, std::size_t size,
                         Clock::time_point now) {
    if (link_ != Link::Plugged || size == 0)
        return;
    auto sink = [this, pipe, now](const std::vector<std::uint8_t>& frame, bool good) {
        if (link_ != Link::Plugged)
            return;
        if (!good) {
            if (log_)
                log_("BAD" + hex(frame));
            return;
        }
        handleFrame(pipe, frame, now);
    };
    if (pipe == Pipe::Bulk) {
        bulkOut_.append(data, size, sink);
    } else {
        const std::size_t count = std::min<std::size_t>({data[0], size - 1, 63});
        interruptOut_.append(data + 1, count, sink);
    }
}

void PedalModel::handleFrame(Pipe pipe, const std::vector<std::uint8_t>& frame,
                             Clock::time_point now) {
    if (log_)
        log_("OUT" + hex(frame));
    received_.push_back(frame);
    const std::uint8_t code = frame[4];
    ++framesSeen_;
    if (framesSeen_ == config_.unplugAfter || code == config_.unplugOn) {
        unplug();
        return;
    }
    replyPipe_ = pipe;
    auto delay = config_.delayOnMs.find(code);
    replyReady_ = now + std::chrono::milliseconds(
                            delay != config_.delayOnMs.end() ? delay->second : config_.delayAllMs);
    silent_ = config_.silentOn.count(code) > 0;
    const Params params(frame.begin() + 5, frame.end() - 2);
    twoByteHandshake_ = params.size() == 1;
    if (state_.runMode == 'B')
        bootCommand(code, params);
    else
        runCommand(code, params);
    if (stateDirty_) {
        stateDirty_ = false;
        if (changed_)
            changed_(state_);
    }
}

void PedalModel::runCommand(std::uint8_t code, const Params& p) {
    const std::size_t n = p.size();
    switch (code) {
    case 0x00:
        answer(0x01, identity(deviceType_));
        break;
    case 0x91:
        if (n >= 1 && p[0] < PedalState::presetCount) {
            state_.currentPreset = p[0];
            state_.current = state_.presets[p[0]];
            changed();
        }
        break;
    case 0x92:
    case 0x93:
    case 0x94:
    case 0x95:
    case 0x96:
        if (n >= 3 && p[0] <= 1) {
            PedalState::setValue(state_.current, p[0] * 5 + (code - 0x92), p[1] << 8 | p[2]);
            changed();
        }
        break;
    case 0x97:
        if (n >= 1)
            answer(0x97, {p[0]});
        break;
    case 0x98:
        if (n >= 2) {
            state_.bypassA = p[0];
            state_.bypassB = p[1];
            changed();
        }
        break;
    case 0x99:
        if (n >= 1 && p[0] < PedalState::presetCount) {
            Params out{p[0]};
            out.insert(out.end(), state_.presets[p[0]].begin(), state_.presets[p[0]].end());
            answer(0x9A, out);
        }
        break;
    case 0x9A:
        if (n >= 1 + PedalState::presetSize && p[0] < PedalState::presetCount) {
            std::copy_n(p.begin() + 1, PedalState::presetSize, state_.presets[p[0]].begin());
            changed();
            answer(0x9A, Params(p.begin(), p.begin() + 1 + PedalState::presetSize));
        }
        break;
    case 0x9B: {
        Params out{state_.currentPreset};
        out.insert(out.end(), state_.current.begin(), state_.current.end());
        answer(0x9C, out);
        break;
    }
    case 0xE1:
        if (n >= 1 && p[0] == 1) {
            const std::string firmware = state_.firmwareVersion;
            state_ = PedalState::factory();
            state_.firmwareVersion = firmware;
            changed();
            restart('A', replyReady_);
        }
        break;
    case 0xE2:
        // The editor's upload may run on to slot index 11: nothing kept, acknowledged unless
        // configured otherwise.
        if (n >= 2 && p[0] == PedalState::slotCount && p[1] <= PedalState::laneCount) {
            if (config_.ackSlot11 && p[1] != config_.dropIrAck)
                answer(0xE3, {p[0], p[1]});
        } else if (n >= 2 && p[0] < PedalState::slotCount && p[1] <= PedalState::laneCount) {
            const std::size_t size = std::min<std::size_t>(
                n - 2, p[1] < PedalState::laneCount ? PedalState::laneSize : PedalState::nameSize);
            if (p[1] < PedalState::laneCount) {
                auto lane = state_.irLanes[p[0]].begin() + p[1] * PedalState::laneSize;
                std::fill_n(lane, PedalState::laneSize, 0);
                std::copy_n(p.begin() + 2, size, lane);
            } else {
                auto& name = state_.irNames[p[0]];
                name.fill(0);
                std::copy_n(p.begin() + 2, size, name.begin());
                state_.userIr[p[0]] = 1;
            }
            changed();
            if (p[1] != config_.dropIrAck)
                answer(0xE3, {p[0], p[1]});
        }
        break;
    case 0xE4:
        if (n >= 1 && p[0] < PedalState::slotCount) {
            state_.userIr[p[0]] = 0;
            state_.irNames[p[0]].fill(0);
            std::fill(state_.irLanes[p[0]].begin(), state_.irLanes[p[0]].end(), 0);
            changed();
            answer(0xE5, {p[0]});
        }
        break;
    case 0xEC:
        if (n >= 1 && p[0] == 1) {
            answer(0xE6, Params(state_.userIr.begin(), state_.userIr.end()));
            Params names;
            for (const auto& name : state_.irNames)
                names.insert(names.end(), name.begin(), name.end());
            answer(0xE7, names);
        }
        break;
    case 0xEE:
        answer(0x98, {state_.bypassA, state_.bypassB});
        answer(0xED, {state_.deviceValue});
        break;
    case 0xE8:
    case 0xEA: {
        int block = 0;
        if (code == 0xE8 && !(n >= 1 && p[0] == 1))
            break;
        if (code == 0xEA) {
            if (n < 2 || (p[0] << 8 | p[1]) >= PedalState::blockCount - 1)
                break;
            block = (p[0] << 8 | p[1]) + 1;
        }
        Params out{static_cast<std::uint8_t>(block >> 8), static_cast<std::uint8_t>(block)};
        auto from = state_.memoryImage.begin() + block * PedalState::blockSize;
        out.insert(out.end(), from, from + PedalState::blockSize);
        if (block == config_.longBlock)
            out.push_back(0x5A);
        answer(0xE9, out);
        if (block == config_.repeatBlock)
            answer(0xE9, out);
        break;
    }
    case 0xE9:
        if (n >= 2 + PedalState::blockSize) {
            const int block = p[0] << 8 | p[1];
            if (block >= PedalState::blockCount)
                break;
            std::copy_n(p.begin() + 2, PedalState::blockSize,
                        state_.memoryImage.begin() + block * PedalState::blockSize);
            changed();
            answer(0xEA, {p[0], p[1]});
            if (block == PedalState::blockCount - 1)
                restart('A', replyReady_);
        }
        break;
    case 0xEB:
        if (n >= 1 && p[0] == 1)
            restart('B', replyReady_);
        break;
    default:
        break;
    }
}

void PedalModel::bootCommand(std::uint8_t code, const Params& p) {
    const std::size_t n = p.size();
    if (code == 0x00 && (n == 0 || (n == 1 && p[0] == 0))) {
        const bool lie = twoByteHandshake_ && !config_.handshakeType.empty();
        answer(0x01, identity(lie ? config_.handshakeType : deviceType_));
    } else if (code == 0xFF && n >= 1 && p[0] == 0) {
        if (config_.refuseFinish) {
            answer(config_.startAck, {0});
            return;
        }
        answer(config_.startAck, {1});
        state_.firmwareVersion = config_.newFirmwareVersion;
        changed();
        restart('A', replyReady_);
    } else if (code == config_.startCmd) {
        if (config_.rejectStart) {
            answer(config_.startAck, {0});
            return;
        }
        startAccepted_ = true;
        state_.bootBlocks.clear();
        changed();
        answer(config_.startAck, {1});
    } else if (code == config_.dataCmd) {
        const int address = n >= 2 ? p[0] << 8 | p[1] : -1;
        if (!startAccepted_ || n < 2 + PedalState::blockSize || address == config_.refuseBlock) {
            answer(config_.dataAck, {0});
            return;
        }
        state_.bootBlocks[static_cast<std::uint16_t>(address)] =
            std::vector<std::uint8_t>(p.begin() + 2, p.begin() + 2 + PedalState::blockSize);
        changed();
        answer(config_.dataAck, {1});
    }
}

PedalModel::Params PedalModel::identity(const std::string& deviceType) const {
    Params out(55, 0);
    // The device type keeps a terminating NUL; the 7-byte text fields need none.
    putText(out, 0, deviceType, 31);
    putText(out, 32, "VPEDAL", 7);
    putText(out, 39, state_.firmwareVersion, 7);
    putText(out, 46, "R1", 7);
    out[53] = static_cast<std::uint8_t>(state_.runMode);
    return out;
}

void PedalModel::answer(std::uint8_t code, const Params& params) {
    if (silent_)
        return;
    std::vector<std::uint8_t> frame = FrameCodec::encode(code, params);
    if (code == config_.corruptCode) {
        ++corruptSeen_;
        if (config_.corruptNth == 0 || corruptSeen_ == config_.corruptNth)
            frame.back() ^= 0x5A;
    }
    if (log_)
        log_("IN" + hex(frame));
    Chunk chunk{config_.garbage, 0, replyReady_};
    chunk.bytes.insert(chunk.bytes.end(), frame.begin(), frame.end());
    queue(replyPipe_).push_back(std::move(chunk));
}

void PedalModel::pushAnswer(std::uint8_t code, const Params& params, Clock::time_point now) {
    std::vector<std::uint8_t> frame = FrameCodec::encode(code, params);
    if (log_)
        log_("IN" + hex(frame));
    pushRaw(frame, now);
}

void PedalModel::pushRaw(const std::vector<std::uint8_t>& bytes, Clock::time_point now) {
    if (present() && !bytes.empty())
        interruptIn_.push_back(Chunk{bytes, 0, now});
}

bool PedalModel::takePacket(Pipe pipe, Clock::time_point now, std::vector<std::uint8_t>& packet) {
    std::deque<Chunk>& chunks = queue(pipe);
    if (!present() || chunks.empty() || chunks.front().ready > now)
        return false;
    if (pipe == Pipe::Bulk) {
        Chunk& chunk = chunks.front();
        const std::size_t take = std::min(bulkPacketSize, chunk.bytes.size() - chunk.offset);
        packet.assign(chunk.bytes.begin() + static_cast<std::ptrdiff_t>(chunk.offset),
                      chunk.bytes.begin() + static_cast<std::ptrdiff_t>(chunk.offset + take));
        chunk.offset += take;
        if (chunk.offset == chunk.bytes.size())
            chunks.pop_front();
        while (packet.size() < bulkPacketSize)
            packet.push_back(config_.paddingSeed ? padding() : 0);
        return true;
    }
    packet.assign(1, 0);
    while (packet.size() < interruptPacketSize && !chunks.empty() && chunks.front().ready <= now) {
        Chunk& chunk = chunks.front();
        const std::size_t take =
            std::min(interruptPacketSize - packet.size(), chunk.bytes.size() - chunk.offset);
        packet.insert(packet.end(), chunk.bytes.begin() + static_cast<std::ptrdiff_t>(chunk.offset),
                      chunk.bytes.begin() + static_cast<std::ptrdiff_t>(chunk.offset + take));
        chunk.offset += take;
        if (chunk.offset == chunk.bytes.size())
            chunks.pop_front();
    }
    packet[0] = static_cast<std::uint8_t>(packet.size() - 1);
    while (packet.size() < interruptPacketSize)
        packet.push_back(config_.paddingSeed ? padding() : 0);
    return true;
}

PedalModel::Clock::time_point PedalModel::nextEvent(Pipe pipe) const {
    Clock::time_point next = Clock::time_point::max();
    const std::deque<Chunk>& chunks = queue(pipe);
    if (present() && !chunks.empty())
        next = chunks.front().ready;
    if (link_ == Link::Restarting)
        next = std::min(next, restartAt_);
    return next;
}

void PedalModel::advance(Clock::time_point now) {
    if (link_ == Link::Restarting &&
        (now >= restartAt_ || (interruptIn_.empty() && bulkIn_.empty())))
        goDown(Link::Down);
}

void PedalModel::enumerate() {
    // Looking for the pedal completes a restart still in progress.
    if (link_ == Link::Restarting)
        goDown(Link::Down);
    if (link_ != Link::Down)
        return;
    link_ = Link::Plugged;
    ++generation_;
    if (log_)
        log_(std::string("EVENT back ") + state_.runMode);
}

void PedalModel::unplug() {
    if (link_ == Link::Unplugged)
        return;
    goDown(Link::Unplugged);
    if (log_)
        log_("EVENT unplug");
}

void PedalModel::replug() {
    if (link_ == Link::Plugged)
        return;
    goDown(Link::Down);
    link_ = Link::Plugged;
    ++generation_;
    if (log_)
        log_("EVENT replug");
}

void PedalModel::setState(const PedalState& state) {
    state_ = state;
    if (changed_)
        changed_(state_);
}

void PedalModel::restart(char runMode, Clock::time_point now) {
    state_.runMode = runMode;
    changed();
    link_ = Link::Restarting;
    restartAt_ = now + restartGrace;
    startAccepted_ = false;
    interruptOut_.clear();
    bulkOut_.clear();
    if (log_)
        log_(std::string("EVENT restart ") + runMode);
}

void PedalModel::goDown(Link link) {
    link_ = link;
    interruptIn_.clear();
    bulkIn_.clear();
    interruptOut_.clear();
    bulkOut_.clear();
}

void PedalModel::changed() {
    stateDirty_ = true;
}

std::uint8_t PedalModel::padding() {
    std::uint8_t byte;
    do
        byte = static_cast<std::uint8_t>(random_() >> 8);
    while (byte == 0xAA);
    return byte;
}

} // namespace virtualpedal
