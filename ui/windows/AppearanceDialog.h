// The dialog "Aspetto": how the plot looks (background, width of the
// curves, dots or joined lines, size of the axis numbers, the grid's
// style). It only shows and edits an appearance; whoever opens it applies
// what it holds when OK is pressed.
#pragma once

#include "plot/Appearance.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QSpinBox;

namespace curvalia::ui {

class AppearanceDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AppearanceDialog(QWidget* parent = nullptr);

    // The controls show appearance.
    void setAppearance(const plot::Appearance& appearance);
    // What the controls show now.
    plot::Appearance appearance() const;
    // OK refuses while a draw runs; Annulla always closes.
    void setAcceptEnabled(bool enabled);

  private:
    QComboBox* background_;
    QSpinBox* thickness_;
    QCheckBox* continuous_;
    QComboBox* numbers_;
    QComboBox* grid_;
    QDialogButtonBox* buttons_;
};

} // namespace curvalia::ui
