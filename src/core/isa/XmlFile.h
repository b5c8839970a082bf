#pragma once
// settings.xml and commands.xml are read here and handed to TinyXML as a string, not opened by
// TinyXML itself: its own file reading lets the parser run past the end of its buffer on a
// file that ends inside a UTF-8 sequence.

#include <string>

class TiXmlDocument;

namespace vorn::isa {

// Parses the file into document as TiXmlDocument::LoadFile would (CR LF and CR read as LF);
// false with the document's error set when the file cannot be read or is not well-formed.
bool LoadXmlFile(TiXmlDocument& document, const std::string& fileName);

} // namespace vorn::isa
