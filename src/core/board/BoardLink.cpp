#include "board/BoardLink.h"

#include "board/PythonHostPort.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <utility>

namespace vorn::board {

namespace {

// Thrown by a transfer that had no device or whose package call failed; the operation then
// answers NoAnswer.
struct PortFailure {};

constexpr uint8_t AccessBits = 0x03; // toggle when a memory access completes
constexpr uint8_t StepBits = 0x0C;   // toggle when a CPU step completes

constexpr uint32_t ControlIdle = 0x04;
constexpr uint32_t ControlRead = 0x00;
constexpr uint32_t ControlWriteAddress = 0x01;
constexpr uint32_t ControlWriteData = 0x03;
constexpr uint32_t ControlStep = 0x14;
constexpr uint32_t ControlStepInReset = 0x1C;
constexpr uint32_t ControlReset = 0x0C;
constexpr uint32_t ControlRun = 0x24;
constexpr uint32_t ControlRunInReset = 0x2C;

} // namespace

template <class Operation> BoardError BoardLink::Guarded(Operation operation) {
    try {
        return operation();
    } catch (const PortFailure&) {
        return Fail(NoAnswer);
    }
}

BoardLink::BoardLink(const isa::Settings& settings)
    : BoardLink(settings, std::make_unique<PythonHostPort>()) {}

BoardLink::BoardLink(const isa::Settings& settings, std::unique_ptr<HostPort> port, TraceLog& trace)
    : port_(std::move(port)), trace_(trace),
      // The count is signed 32-bit: a larger setting polls as often as it can hold.
      pollLimit_(static_cast<int32_t>(
          std::clamp<uint32_t>(settings.hardwareWaitCycles, 1, std::numeric_limits<int32_t>::max()))),
      checkAddressStart_(settings.checkAddressStart), checkAddressEnd_(settings.checkAddressEnd) {
    trace_.Open();
}

void BoardLink::Connect() {
    std::lock_guard lock(mutex_);
    if (!port_->IsOpen()) port_->Open();
}

void BoardLink::Disconnect() {
    std::lock_guard lock(mutex_);
    if (port_->IsOpen()) port_->Close();
}

BoardError BoardLink::CheckIoWidths() {
    std::lock_guard lock(mutex_);
    return CheckWidths();
}

BoardError BoardLink::CheckWidths() {
    const auto widths = port_->IsOpen() ? port_->IoWidths() : std::nullopt;
    if (!widths) return Fail(NoAnswer);
    return widths->first == 40 && widths->second == 40 ? NoError : ConfigurationError;
}

BoardError BoardLink::SetReset(int32_t value) {
    std::lock_guard lock(mutex_);
    return Guarded([&] {
        // The flags follow the caller's wish even when the port fails, so that they keep
        // agreeing with the monitor's reset button.
        if (value == 1) {
            resetHeld_ = true;
            running_ = false;
            Put(0, ControlReset);
        } else {
            const uint32_t control = running_ ? ControlRun : ControlIdle;
            resetHeld_ = false;
            Put(0, control);
        }
        return NoError;
    });
}

BoardError BoardLink::WriteWord(uint32_t address, uint32_t word) {
    std::lock_guard lock(mutex_);
    return WriteChecked(address, word);
}

BoardError BoardLink::ReadWord(uint32_t address, uint32_t& word) {
    std::lock_guard lock(mutex_);
    return ReadChecked(address, word);
}

BoardError BoardLink::WriteChecked(uint32_t address, uint32_t word) {
    return CheckWidthsAfterNotDone(Guarded([&] { return WriteWordRaw(address, word); }));
}

BoardError BoardLink::ReadChecked(uint32_t address, uint32_t& word) {
    return CheckWidthsAfterNotDone(Guarded([&] { return ReadWordRaw(address, word); }));
}

BoardError BoardLink::CheckWidthsAfterNotDone(BoardError raw) {
    if (raw != NotDone) return raw;
    return Fail(CheckWidths() == ConfigurationError ? ConfigurationError : NotDone);
}

BoardError BoardLink::WriteWordRaw(uint32_t address, uint32_t word) {
    const uint8_t first = SampleStatus();
    Put(address, ControlWriteAddress | RunVariant());
    Put(word, ControlWriteData | RunVariant());
    uint8_t changed = 0;
    for (int32_t poll = 0; poll < pollLimit_; ++poll) {
        changed = (SampleStatus() ^ first) & AccessBits;
        if (changed != AccessBits) continue;
        Put(address, ControlRead | RunVariant());
        if (static_cast<uint32_t>(Sample()) == word) {
            trace_.Write(word);
            return NoError;
        }
    }
    Idle();
    return Fail(changed != 0 ? NotDone : NoAnswer);
}

BoardError BoardLink::ReadWordRaw(uint32_t address, uint32_t& word) {
    const uint8_t first = SampleStatus();
    Put(address, ControlRead | RunVariant());
    uint8_t changed = 0;
    for (int32_t poll = 0; poll < pollLimit_; ++poll) {
        const uint64_t sample = Sample();
        changed = (static_cast<uint8_t>(sample >> 32) ^ first) & AccessBits;
        if (changed == AccessBits) {
            word = static_cast<uint32_t>(sample);
            trace_.Read(word);
            return NoError;
        }
    }
    // With only bit 1 toggled the design is still driving its data: the port is left as is.
    if (changed == 0x02) return Fail(DataNotValid);
    Idle();
    return Fail(changed == 0x01 ? NotDone : NoAnswer);
}

BoardError BoardLink::Step() {
    std::lock_guard lock(mutex_);
    return Guarded([&] {
        const uint8_t first = SampleStatus();
        if (resetHeld_) {
            Put(0, ControlStepInReset);
            Put(0, ControlReset);
        } else {
            Put(0, ControlStep);
            Put(0, ControlIdle);
        }
        uint8_t changed = 0;
        for (int32_t poll = 0; poll < pollLimit_; ++poll) {
            changed = (SampleStatus() ^ first) & StepBits;
            if (changed == StepBits) return NoError;
        }
        Idle();
        if (changed == 0) return Fail(NoAnswer);
        return Fail(changed == 0x04 ? NotDone : DataNotValid);
    });
}

BoardError BoardLink::RunStart() {
    std::lock_guard lock(mutex_);
    return Guarded([&] {
        runStatus_ = SampleStatus() & StepBits;
        if (resetHeld_) {
            Put(0, ControlRunInReset);
            Put(0, ControlReset);
            Put(0, ControlIdle);
            return Fail(NoAnswer);
        }
        Put(0, ControlRun);
        if ((SampleStatus() & StepBits) != runStatus_) {
            running_ = true;
            return NoError;
        }
        // Left set (also by an earlier run), the flag would make every later access restart
        // the free run unseen.
        running_ = false;
        Idle();
        return Fail(NoAnswer);
    });
}

bool BoardLink::PollHalt() {
    std::lock_guard lock(mutex_);
    try {
        if (((SampleStatus() ^ runStatus_) & StepBits) != StepBits) return false;
        running_ = false;
        return true;
    } catch (const PortFailure&) {
        Fail(NoAnswer);
        return false;
    }
}

BoardError BoardLink::Stop() {
    std::lock_guard lock(mutex_);
    return Guarded([&] {
        Idle();
        for (int32_t poll = 0; poll < pollLimit_; ++poll) {
            if (((SampleStatus() ^ runStatus_) & StepBits) == StepBits) {
                running_ = false;
                Idle();
                return NoError;
            }
        }
        Idle();
        return Fail(NotDone);
    });
}

BoardError BoardLink::BusTest(uint32_t address) {
    std::lock_guard lock(mutex_);
    uint32_t read = 0;
    for (int bit = 0; bit < 32; ++bit) {
        const uint32_t pattern = 1u << bit;
        if (const BoardError result = WriteChecked(address, pattern)) return result;
        // The walking ones do not look at the read: a failed one leaves the last word read.
        ReadChecked(address, read);
        if (read != pattern) return Fail(BusTestMismatch);
    }
    for (int bit = 0; bit < 32; ++bit) {
        const uint32_t pattern = ~(1u << bit);
        if (const BoardError result = WriteChecked(address, pattern)) return result;
        if (const BoardError result = ReadChecked(address, read)) return result;
        if (read != pattern) return Fail(BusTestMismatch);
    }
    return NoError;
}

BoardError BoardLink::MemoryTest(uint32_t& failingAddress) {
    std::lock_guard lock(mutex_);
    // Counted in 64 bits so that a range ending at 0xFFFFFFFF ends.
    const uint64_t start = checkAddressStart_;
    const uint64_t end = checkAddressEnd_;
    for (uint64_t address = start; address <= end; ++address) {
        const auto word = static_cast<uint32_t>(address);
        if (const BoardError result = WriteChecked(word, word)) {
            failingAddress = word;
            return result;
        }
    }
    for (uint64_t address = start; address <= end; ++address) {
        const auto expected = static_cast<uint32_t>(address);
        uint32_t word = 0;
        if (const BoardError result = ReadChecked(expected, word)) {
            failingAddress = expected;
            return result;
        }
        if (word != expected) {
            failingAddress = expected;
            return Fail(MemoryTestMismatch);
        }
    }
    return NoError;
}

std::string BoardLink::ErrorText() const {
    std::lock_guard lock(mutex_);
    return BoardErrorText(lastError_);
}

std::optional<uint64_t> BoardLink::DecodeRead(const std::string& text, int bits) {
    if (bits <= 0 || bits > 64 || bits % 8 != 0 || text.size() != static_cast<size_t>(bits / 4))
        return std::nullopt;
    // The package sends the least significant byte first.
    uint64_t value = 0;
    for (size_t pair = text.size() / 2; pair-- > 0;) {
        const char* digits = text.data() + 2 * pair;
        uint8_t byte = 0;
        const auto [end, error] = std::from_chars(digits, digits + 2, byte, 16);
        if (error != std::errc() || end != digits + 2) return std::nullopt;
        value = value << 8 | byte;
    }
    return value;
}

uint64_t BoardLink::Sample() {
    const auto text = port_->IsOpen() ? port_->Read() : std::nullopt;
    const auto value = text ? DecodeRead(*text) : std::nullopt;
    if (!value) throw PortFailure{};
    return *value;
}

uint8_t BoardLink::SampleStatus() {
    return static_cast<uint8_t>(Sample() >> 32);
}

void BoardLink::Put(uint32_t value, uint32_t control) {
    if (!port_->IsOpen() || !port_->Write(value & 0xFFFF, value >> 16, control)) throw PortFailure{};
}

void BoardLink::Idle() {
    Put(0, ControlIdle);
}

BoardError BoardLink::Fail(BoardError code) {
    lastError_ = code;
    return code;
}

} // namespace vorn::board
