#include "monitor/LabelFile.h"

#include "isa/ParseNumber.h"
#include "monitor/MonitorTexts.h"
#include "text/TextFile.h"

namespace vorn::monitor {

std::string LabelFileText(const std::string& cpuRamText, const std::string& laRamText,
                          const LabelMaps& labels, uint32_t slaveBase) {
    std::string text = cpuRamText + "\n" + laRamText + "\n";
    for (LabelKind kind : kLabelKinds) {
        const uint32_t base = kind == LabelKind::Slave ? slaveBase : 0;
        text += Format("%d\n", static_cast<int>(labels.Of(kind).size()));
        for (const Label& label : labels.Of(kind))
            text += label.name + "\n" + Format("%x\n", static_cast<unsigned>(label.value - base));
    }
    return text;
}

LabelFileContent ReadLabelFile(std::istream& in) {
    LabelFileContent content;
    text::ReadTextLine(in, content.cpuRamText);
    text::ReadTextLine(in, content.laRamText);
    for (auto& entries : content.labels) {
        std::string countLine;
        if (!text::ReadTextLine(in, countLine)) break;
        for (int32_t i = 0, count = isa::ParseLeadingDecimal(countLine); i < count; ++i) {
            LabelFileEntry entry;
            if (!text::ReadTextLine(in, entry.name) || !text::ReadTextLine(in, entry.address)) return content;
            entries.push_back(std::move(entry));
        }
    }
    return content;
}

} // namespace vorn::monitor
