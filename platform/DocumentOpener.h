// Opens a document or a link with the program the desktop associates with it.
#pragma once

#include <functional>
#include <string>

namespace curvalia::platform {

class DocumentOpener {
  public:
    // Told once whether the target was opened. It may be told before open()
    // returns (a target or an opener that cannot work at all) or later, from
    // the event loop; the caller never waits for it.
    using Answer = std::function<void(bool opened)>;

    virtual ~DocumentOpener() = default;
    // target: an absolute file path, or a link such as "mailto:..." or
    // "https://...". False when nothing on the desktop can open it or the
    // target is not a valid address.
    virtual void open(const std::string& target, Answer answer) = 0;
};

} // namespace curvalia::platform
