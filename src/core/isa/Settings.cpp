#include "isa/Settings.h"

#include "isa/XmlFile.h"

#include <tinyxml.h>

namespace vorn::isa {

namespace {

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 99;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

Fault SettingsFault() {
    return {"settings.xml file not found. Exiting...", "Fatal error - settings load", 0};
}

} // namespace

uint32_t ParseSettingsNumber(const std::string& text, int base) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (base == 16 && i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        DigitValue(text[i + 2]) < 16)
        i += 2;
    uint64_t value = 0;
    for (; i < text.size() && DigitValue(text[i]) < base; ++i) {
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(DigitValue(text[i]));
        if (value > 0xFFFFFFFFull) value = 0x100000000ull; // saturated; further digits cannot bring it back
    }
    uint32_t result = value > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<uint32_t>(value);
    return negative ? 0u - result : result;
}

Result<Settings> LoadSettings(const std::string& fileName) {
    TiXmlDocument document;
    if (!LoadXmlFile(document, fileName)) return SettingsFault();
    const TiXmlElement* root = document.FirstChildElement("settings");
    if (!root) return SettingsFault();

    bool complete = true;
    auto textOf = [&](const char* key) -> std::string {
        const TiXmlElement* element = root->FirstChildElement(key);
        const char* text = element ? element->GetText() : nullptr;
        if (!text) {
            complete = false;
            return {};
        }
        return text;
    };
    auto hex = [&](const char* key) { return ParseSettingsNumber(textOf(key), 16); };
    auto decimal = [&](const char* key) { return ParseSettingsNumber(textOf(key), 10); };

    Settings settings;
    settings.RAMstart = hex("RAMstart");
    settings.RAMend = hex("RAMend");
    settings.SLAVEbase = hex("SLAVEbase");
    settings.SLAVEstart = hex("SLAVEstart");
    settings.SLAVEend = hex("SLAVEend");
    settings.configureBit = textOf("configureBit") == "true";
    settings.stepsUntilMsgHardware = decimal("stepsUntilMsgHardware");
    settings.hardwareWaitCycles = decimal("hardwareWaitCycles");
    settings.checkAddressStart = hex("checkAddressStart");
    settings.checkAddressEnd = hex("checkAddressEnd");
    settings.USB = hex("USB");
    settings.directory = textOf("directory");
    settings.XSdirectory = textOf("XSdirectory");
    if (!complete) return SettingsFault();
    return settings;
}

} // namespace vorn::isa
