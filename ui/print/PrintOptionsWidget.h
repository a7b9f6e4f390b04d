// The page's own choices, offered in the print dialog's options: the scale
// ("Adatta alla pagina" or "1 unità = 1 cm") and "Sfondo nero".
#pragma once

#include "ui/print/PlotPage.h"

#include <QWidget>

class QCheckBox;
class QRadioButton;

namespace curvalia::ui {

class PrintOptionsWidget final : public QWidget {
    Q_OBJECT
  public:
    explicit PrintOptionsWidget(const PageOptions& options, QWidget* parent = nullptr);
    PageOptions options() const;

  private:
    QRadioButton* fit_ = nullptr;
    QRadioButton* centimetre_ = nullptr;
    QCheckBox* black_ = nullptr;
};

} // namespace curvalia::ui
