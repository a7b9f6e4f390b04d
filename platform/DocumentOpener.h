// Opens a document or a link with the program the desktop associates with it.
#pragma once

#include <string>

namespace curvalia::platform {

class DocumentOpener {
  public:
    virtual ~DocumentOpener() = default;
    // target: an absolute file path, or a link such as "mailto:..." or
    // "https://...". Failures are not reported: the caller has nothing to
    // tell the user that the desktop has not already told them.
    virtual void open(const std::string& target) = 0;
};

// The desktop's own association (xdg-open and friends) through Qt.
class DesktopDocumentOpener final : public DocumentOpener {
  public:
    void open(const std::string& target) override;
};

} // namespace curvalia::platform
