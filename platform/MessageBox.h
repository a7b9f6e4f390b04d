// A message with an OK button and the application title; the caller waits
// until the user closes it.
#pragma once

#include <string>

namespace curvalia::platform {

class MessageBox {
  public:
    virtual ~MessageBox() = default;
    virtual void show(const std::string& text) = 0;
};

} // namespace curvalia::platform
