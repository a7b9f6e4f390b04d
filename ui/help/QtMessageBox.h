// The message box of the toolkit: the text, an OK button, the application
// title; blocks the caller until it is closed.
#pragma once

#include "platform/MessageBox.h"

namespace curvalia::ui {

class QtMessageBox final : public platform::MessageBox {
  public:
    void show(const std::string& text) override;
};

} // namespace curvalia::ui
