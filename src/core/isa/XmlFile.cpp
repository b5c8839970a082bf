#include "isa/XmlFile.h"

#include "text/WholeFile.h"

#include <tinyxml.h>

namespace vorn::isa {

namespace {

// The longest UTF-8 sequence is four bytes: a lead byte at the very end sends the parser at
// most three bytes on, and these NULs are all it meets there.
constexpr size_t kPadding = 4;

} // namespace

bool LoadXmlFile(TiXmlDocument& document, const std::string& fileName) {
    const std::optional<std::string> bytes = text::ReadWholeFile(fileName);
    if (!bytes) {
        document.SetError(TiXmlBase::TIXML_ERROR_OPENING_FILE, nullptr, nullptr, TIXML_ENCODING_UNKNOWN);
        return false;
    }
    std::string xml;
    xml.reserve(bytes->size() + kPadding);
    for (size_t i = 0; i < bytes->size(); ++i) {
        if ((*bytes)[i] != '\r') {
            xml += (*bytes)[i];
            continue;
        }
        xml += '\n';
        if (i + 1 < bytes->size() && (*bytes)[i + 1] == '\n') ++i;
    }
    xml.append(kPadding, '\0');
    document.Parse(xml.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
    return !document.Error();
}

} // namespace vorn::isa
