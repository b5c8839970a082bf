#include "monitor/PathPage.h"

#include "monitor/MonitorTexts.h"

namespace vorn::monitor {

PathPage::PathPage(std::string defaultExtension, std::string filter, Prompter& prompter)
    : defaultExtension_(std::move(defaultExtension)), filter_(std::move(filter)), prompter_(prompter) {}

void PathPage::OnBrowse(const std::string& fieldText) {
    path = fieldText;
    if (const auto chosen = prompter_.chooseOpenFile(filter_))
        path = WithDefaultExtension(*chosen, defaultExtension_);
}

} // namespace vorn::monitor
