// Opens a document or a link with the program the desktop associates with it.
#pragma once

#include <string>

namespace curvalia::platform {

class DocumentOpener {
  public:
    virtual ~DocumentOpener() = default;
    // target: an absolute file path, or a link such as "mailto:..." or
    // "https://...". False when the desktop refused it (nothing there can
    // open it, or the target is not a valid address); true says only that
    // the desktop took it over, whatever it then does with it.
    virtual bool open(const std::string& target) = 0;
};

// The desktop's own association (xdg-open and friends) through Qt.
class DesktopDocumentOpener final : public DocumentOpener {
  public:
    bool open(const std::string& target) override;
};

} // namespace curvalia::platform
