#include "isa/LoadCommands.h"

#include "isa/CommandChecks.h"
#include "isa/XmlFile.h"
#include "text/Text.h"

#include <algorithm>
#include <set>
#include <tinyxml.h>

namespace vorn::isa {

namespace {

constexpr const char* kCommandFields[] = {"type", "opcode", "name", "function", "action", "args", "isbranch"};

Fault LoadFault(std::string text, std::string caption = {}) {
    return {std::move(text), std::move(caption), 1};
}

// A leading decimal number: optional white space and sign, then digits; 0 when no digit
// leads. Saturates instead of overflowing.
int32_t LeadingDecimal(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text::IsDigit(text[i]); ++i)
        value = std::min<int64_t>(value * 10 + (text[i] - '0'), int64_t{1} << 31);
    value = negative ? -value : value;
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

std::string TextOf(const TiXmlElement* element) {
    const char* text = element ? element->GetText() : nullptr;
    return text ? text : "";
}

bool HasText(const TiXmlElement* element) {
    return element && element->GetText();
}

template <class Visit> void ForEachChild(const TiXmlElement* root, const char* name, Visit visit) {
    int index = 0;
    for (const TiXmlElement* e = root->FirstChildElement(name); e; e = e->NextSiblingElement(name))
        visit(e, index++);
}

// Every command has its seven fields, each with text; a missing field anywhere is reported
// before any other fault.
std::optional<Fault> CheckCommandFields(const TiXmlElement* root) {
    std::optional<Fault> missing;
    std::optional<Fault> empty;
    ForEachChild(root, "command", [&](const TiXmlElement* command, int index) {
        const std::string position = std::to_string(index + 1);
        for (const char* field : kCommandFields) {
            const TiXmlElement* element = command->FirstChildElement(field);
            if (!element && !missing)
                missing = LoadFault("Missing field in command number " + position);
            else if (element && !HasText(element) && !empty)
                empty = LoadFault("Empty field " + std::string(field) + " in command number " + position);
        }
    });
    return missing ? missing : empty;
}

// The args words decide the operands. A comma list gives what its pieces give; words that
// are separated by blanks alone are counted and read one by one, so none is lost.
void StoreArgs(CommandRecord& record, const std::string& args) {
    record.numArgs = ArgCountText(args);
    record.operandKinds = ParseArgKinds(args);
    std::string list = args;
    for (char& c : list)
        if (c == ',') c = ' ';
    if (list == "none") return;
    std::vector<std::string> words;
    int position = 0;
    for (std::string word = text::NextWord(list, position); !word.empty();
         word = text::NextWord(list, position))
        words.push_back(word);
    const size_t pieces = record.numArgs == "0" ? 0 : static_cast<size_t>(std::stoi(record.numArgs));
    if (words.size() <= pieces) return;
    record.numArgs = std::to_string(words.size());
    std::string commaList;
    for (const std::string& word : words)
        commaList += word + ",";
    commaList.pop_back();
    record.operandKinds = ParseArgKinds(commaList);
}

std::optional<Fault> StoreCommand(InstructionSet& set, std::set<std::string>& usedKeys,
                                  std::set<std::string>& names, const TiXmlElement* element, int32_t row) {
    CommandRecord& record = set.commands[row];
    auto field = [&](const char* name) { return TextOf(element->FirstChildElement(name)); };

    record.name = field("name");
    if (!names.insert(record.name).second) return LoadFault("Duplicated Command: " + record.name);
    record.type = field("type");
    if (record.type != "R" && record.type != "I") return LoadFault("Bad type of command in " + record.name);
    record.opcode = field("opcode");
    if (auto fault = CheckIdentifier(record.name, record.opcode)) return fault;
    record.function = field("function");
    if (auto fault = CheckIdentifier(record.name, record.function)) return fault;
    const std::string key = record.opcode + record.function;
    if (auto fault = ReportDuplicateIdentifier(set, usedKeys, key, row)) return fault;
    usedKeys.insert(key);
    record.action = field("action");
    const std::string args = field("args");
    if (!CheckArgsField(args)) return LoadFault("Bad args field of command in " + record.name);
    const std::string isbranch = field("isbranch");
    if (isbranch != "true" && isbranch != "false")
        return LoadFault("Illegal isbranch value at command " + record.name + "\n[" + isbranch + "]");
    record.isbranch = isbranch == "true";
    StoreArgs(record, args);
    return std::nullopt;
}

std::optional<Fault> StoreVar(InstructionSet& set, const TiXmlElement* element, int index) {
    const std::string position = std::to_string(index + 1);
    const TiXmlElement* name = element->FirstChildElement("name");
    const TiXmlElement* length = element->FirstChildElement("length");
    const TiXmlElement* initial = element->FirstChildElement("default");
    if (!HasText(name)) return LoadFault("Empty field name in var number " + position);
    VarRecord& var = set.vars[static_cast<size_t>(index)];
    var.name = TextOf(name);
    if (!HasText(length)) return LoadFault("Empty field length in var " + var.name);
    if (!initial) return LoadFault("Missing field default in var " + var.name);
    const std::string value = TextOf(initial);
    if (!text::IsDecimalLiteral(value))
        return LoadFault("Bad default value in var " + var.name + "\n[" + value + "]");
    var.length = LeadingDecimal(TextOf(length));
    var.value = text::DecimalToInt(value);
    return std::nullopt;
}

std::optional<Fault> Fill(InstructionSet& set, const TiXmlElement* root) {
    if (auto fault = CheckCommandFields(root)) return fault;

    int commandCount = 0;
    ForEachChild(root, "command", [&](const TiXmlElement*, int) { ++commandCount; });
    set.commands.assign(static_cast<size_t>(commandCount) + 1, CommandRecord{});

    std::set<std::string> usedKeys;
    std::set<std::string> names;
    std::optional<Fault> fault;
    ForEachChild(root, "command", [&](const TiXmlElement* element, int row) {
        if (!fault) fault = StoreCommand(set, usedKeys, names, element, row);
    });
    if (fault) return fault;

    set.registerFiles.assign(1, RegisterFile{"MR", {}});
    ForEachChild(root, "memory", [&](const TiXmlElement* element, int index) {
        if (!HasText(element) && !fault)
            fault = LoadFault("Empty memory element number " + std::to_string(index + 1));
        set.registerFiles.push_back(RegisterFile{TextOf(element), {}});
    });
    if (fault) return fault;

    int varCount = 0;
    ForEachChild(root, "var", [&](const TiXmlElement*, int) { ++varCount; });
    set.vars.assign(static_cast<size_t>(varCount), VarRecord{});
    ForEachChild(root, "var", [&](const TiXmlElement* element, int index) {
        if (!fault) fault = StoreVar(set, element, index);
    });
    if (fault) return fault;

    // The size limit holds with nocheck too: it keeps the evaluators' recursion bounded.
    const bool checkActions = !root->FirstChildElement("nocheck");
    for (CommandRecord& record : set.commands) {
        if (checkActions) text::RemoveBlanks(record.action);
        if (auto actionFault = CheckActionSize(record.name, record.action)) return actionFault;
        if (!checkActions) continue;
        if (auto actionFault = CheckAction(set, record.action)) return actionFault;
    }

    const TiXmlElement* steps = root->FirstChildElement("stepsUntilMsg");
    if (!steps) return LoadFault("Number of steps is missing from xml!", "No num of steps");
    if (!HasText(steps) || LeadingDecimal(TextOf(steps)) <= 0)
        return LoadFault("No steps is not enough, give me something");
    set.stepsUntilMsg = LeadingDecimal(TextOf(steps));
    set.IndexRows();
    return std::nullopt;
}

} // namespace

std::string ArgCountText(const std::string& args) {
    if (args.empty() || args == "none") return "0";
    return std::to_string(1 + std::count(args.begin(), args.end(), ','));
}

std::array<int32_t, 3> ParseArgKinds(const std::string& args) {
    std::array<int32_t, 3> kinds{None, None, None};
    std::string copy = args;
    text::RemoveBlanks(copy);
    if (copy == "none") return kinds;
    copy += ',';
    size_t start = 0;
    for (size_t k = 0; k < 3; ++k) {
        const size_t comma = copy.find(',', start);
        if (comma == std::string::npos) break;
        const std::string piece = copy.substr(start, comma - start);
        if (piece.size() > 0 && piece[0] == 'R')
            kinds[k] = piece.size() > 1 && piece[1] == 'D'   ? RD
                       : piece.size() > 2 && piece[2] == '1' ? RS1
                                                             : RS2;
        else if (piece.size() > 0 && piece[0] == 'i')
            kinds[k] = Imm;
        start = comma + 1;
    }
    return kinds;
}

Result<InstructionSet> LoadCommands(const std::string& fileName) {
    TiXmlDocument document;
    if (!LoadXmlFile(document, fileName))
        return LoadFault(std::string(document.ErrorDesc()) + "\nIn line: " +
                             std::to_string(document.ErrorRow()) + "\nExiting.\nBye Bye!!!  :(",
                         "XML File Error");
    const TiXmlElement* root = document.RootElement();
    if (!root)
        return LoadFault(std::string("Error document empty.") + "\nIn line: 0\nExiting.\nBye Bye!!!  :(",
                         "XML File Error");
    InstructionSet set;
    if (auto fault = Fill(set, root)) return *fault;
    return set;
}

} // namespace vorn::isa
