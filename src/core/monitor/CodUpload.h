#pragma once
// The monitor's own reader of ".cod" memory images, which uploads each word as it reads it.
// It checks nothing: a line starting with "." is skipped, any other line is an address line,
// followed by a count line and that many word lines, all read as hexadecimal ("0x" or "0X"
// allowed, no digits give 0). So the image's trailer writes nothing: its ".DS" line is skipped,
// the date line counts as an address line whose count line is missing, which reads as 0.

#include <cstdint>
#include <functional>
#include <istream>

namespace vorn::monitor {

// Calls write(address, word) for every word, in file order. A file that ends inside a run of
// words ends the upload there: words the file does not hold are not written.
void ReadCodUpload(std::istream& in, const std::function<void(uint32_t address, uint32_t word)>& write);

} // namespace vorn::monitor
