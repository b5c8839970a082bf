#pragma once
// A wizard page that holds one file path: "FPGA Configuration" (the .bit file) and "Memory
// Configuration" (the .cod file). The path survives from one showing of the wizard to the next.

#include "Prompter.h"

#include <string>

namespace vorn::monitor {

class PathPage {
  public:
    PathPage(std::string defaultExtension, std::string filter, Prompter& prompter);

    std::string path; // the path field; the ui keeps it here

    // "&Browse...": takes the field's text, and on OK the chosen path.
    void OnBrowse(const std::string& fieldText);

  private:
    std::string defaultExtension_;
    std::string filter_;
    Prompter& prompter_;
};

} // namespace vorn::monitor
