#pragma once

#include "virtualpedal/frameassembler.h"
#include "virtualpedal/pedalconfig.h"
#include "virtualpedal/pedalstate.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace virtualpedal {

// The pedal, packet by packet: OUT packets in, IN packets out, plugged or not. It knows nothing
// of USB libraries; callers serialise access.
class PedalModel {
public:
    using Clock = std::chrono::steady_clock;
    enum class Pipe { Interrupt, Bulk };
    static constexpr std::size_t interruptPacketSize = 64;
    static constexpr std::size_t bulkPacketSize = 512;

    // `deviceType` is what the identity names; `log` gets one text line per frame and event;
    // `changed` is called with the state after every change.
    PedalModel(const PedalConfig& config, std::string deviceType, PedalState state,
               std::function<void(const std::string&)> log,
               std::function<void(const PedalState&)> changed);

    // Whether the pedal stalls on this OUT packet instead of taking it (TALIX_VP_STALL_ON).
    bool refuses(Pipe pipe, const std::uint8_t* data, std::size_t size);
    // One OUT packet (interrupt: count byte first; bulk: plain bytes).
    void receive(Pipe pipe, const std::uint8_t* data, std::size_t size, Clock::time_point now);
    // The next IN packet of `pipe` if one is ready at `now`.
    bool takePacket(Pipe pipe, Clock::time_point now, std::vector<std::uint8_t>& packet);
    // When the next IN packet of `pipe` becomes ready, or the next restart falls due
    // (Clock::time_point::max() when nothing is pending).
    Clock::time_point nextEvent(Pipe pipe) const;

    // Applies a restart whose time has come.
    void advance(Clock::time_point now);
    // Plugged in and answering.
    bool present() const { return link_ != Link::Down && link_ != Link::Unplugged; }
    // Counts comebacks; a handle opened in an earlier generation is dead.
    int generation() const { return generation_; }
    // A device list is taken: a restarted pedal comes back now.
    void enumerate();
    void unplug();
    void replug();

    const PedalState& state() const { return state_; }
    void setState(const PedalState& state);
    // Queues an unasked answer (or raw bytes) on the interrupt IN stream.
    void pushAnswer(std::uint8_t code, const std::vector<std::uint8_t>& params,
                    Clock::time_point now);
    void pushRaw(const std::vector<std::uint8_t>& bytes, Clock::time_point now);
    const std::vector<std::vector<std::uint8_t>>& receivedFrames() const { return received_; }
    void clearReceivedFrames() { received_.clear(); }

private:
    enum class Link { Plugged, Restarting, Down, Unplugged };
    struct Chunk {
        std::vector<std::uint8_t> bytes;
        std::size_t offset = 0;
        Clock::time_point ready;
    };
    using Params = std::vector<std::uint8_t>;

    void handleFrame(Pipe pipe, const std::vector<std::uint8_t>& frame, Clock::time_point now);
    void runCommand(std::uint8_t code, const Params& p);
    void bootCommand(std::uint8_t code, const Params& p);
    void answer(std::uint8_t code, const Params& params);
    Params identity(const std::string& deviceType) const;
    void restart(char runMode, Clock::time_point now);
    void goDown(Link link);
    void changed();
    std::uint8_t padding();
    std::deque<Chunk>& queue(Pipe pipe) { return pipe == Pipe::Bulk ? bulkIn_ : interruptIn_; }
    const std::deque<Chunk>& queue(Pipe pipe) const {
        return pipe == Pipe::Bulk ? bulkIn_ : interruptIn_;
    }

    PedalConfig config_;
    std::string deviceType_;
    PedalState state_;
    std::function<void(const std::string&)> log_;
    std::function<void(const PedalState&)> changed_;
    FrameAssembler interruptOut_;
    FrameAssembler bulkOut_;
    std::deque<Chunk> interruptIn_;
    std::deque<Chunk> bulkIn_;
    std::vector<std::vector<std::uint8_t>> received_;
    std::minstd_rand random_;

    Link link_ = Link::Plugged;
    Clock::time_point restartAt_;
    int generation_ = 0;
    int framesSeen_ = 0;
    int corruptSeen_ = 0;
    int stallSeen_ = 0;
    bool startAccepted_ = false;
    bool stateDirty_ = false;

    // Context of the frame being handled.
    Pipe replyPipe_ = Pipe::Interrupt;
    Clock::time_point replyReady_;
    bool silent_ = false;
    bool twoByteHandshake_ = false;
};

} // namespace virtualpedal
