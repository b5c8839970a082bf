#pragma once
// The trace of every successful word transfer ("in.log"): "read: 0x<word>" and
// "write: 0x<word>" in lower-case hexadecimal without leading zeros, CR LF line ends. Opened
// once, truncating, by the first link that asks; a stream that failed to open stays silent.

#include <cstdint>
#include <fstream>
#include <mutex>
#include <string>

namespace vorn::board {

class TraceLog {
  public:
    explicit TraceLog(std::string path);

    // The process's trace, on "in.log" in the working directory of its first opening.
    static TraceLog& Process();

    // Opens the file on the first call only, so that a second monitor view keeps the trace.
    void Open();
    void Read(uint32_t word);
    void Write(uint32_t word);

  private:
    void Line(const char* kind, uint32_t word);

    std::mutex mutex_;
    std::string path_;
    bool opened_ = false;
    std::ofstream stream_;
};

} // namespace vorn::board
