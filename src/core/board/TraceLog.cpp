#include "board/TraceLog.h"

#include "text/TextFile.h"

#include <utility>

namespace vorn::board {

TraceLog::TraceLog(std::string path) : path_(std::move(path)) {}

TraceLog& TraceLog::Process() {
    static TraceLog trace("in.log");
    return trace;
}

void TraceLog::Open() {
    std::lock_guard lock(mutex_);
    if (opened_) return;
    opened_ = true;
    stream_.open(path_, std::ios::binary | std::ios::trunc);
    stream_ << std::hex;
}

void TraceLog::Read(uint32_t word) {
    Line("read: 0x", word);
}

void TraceLog::Write(uint32_t word) {
    Line("write: 0x", word);
}

void TraceLog::Line(const char* kind, uint32_t word) {
    std::lock_guard lock(mutex_);
    // Flushed per line so that the file tells the truth while the monitor still runs.
    stream_ << kind << word << text::kLineEnd << std::flush;
}

} // namespace vorn::board
