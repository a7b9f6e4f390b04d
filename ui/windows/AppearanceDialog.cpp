#include "ui/windows/AppearanceDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace curvalia::ui {

namespace {

// A control with its label, named alike for a screen reader.
template <class W> W* named(W* control, const char* name, const QString& spoken) {
    control->setObjectName(QString::fromLatin1(name));
    control->setAccessibleName(spoken);
    return control;
}

QComboBox* choices(QWidget* parent, const char* name, const QString& spoken,
                   std::initializer_list<const char*> items) {
    auto* box = named(new QComboBox(parent), name, spoken);
    for (const char* item : items)
        box->addItem(QString::fromUtf8(item));
    return box;
}

} // namespace

AppearanceDialog::AppearanceDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aspetto"));
    setWindowTitle(QStringLiteral("Aspetto"));
    auto* form = new QFormLayout(this);
    background_ = choices(this, "sfondo", QStringLiteral("Sfondo"), {"Nero", "Bianco"});
    form->addRow(QStringLiteral("&Sfondo:"), background_);
    thickness_ = named(new QSpinBox(this), "spessore", QStringLiteral("Spessore delle curve"));
    thickness_->setRange(plot::Appearance::kMinThickness, plot::Appearance::kMaxThickness);
    thickness_->setSuffix(QStringLiteral(" pixel"));
    form->addRow(QStringLiteral("S&pessore delle curve:"), thickness_);
    continuous_ = named(new QCheckBox(QStringLiteral("&Linee continue"), this), "lineeContinue",
                        QStringLiteral("Linee continue"));
    form->addRow(continuous_);
    numbers_ = choices(this, "numeriAssi", QStringLiteral("Numeri sugli assi"),
                       {"Piccoli", "Medi", "Grandi"});
    form->addRow(QStringLiteral("&Numeri sugli assi:"), numbers_);
    grid_ = choices(this, "griglia", QStringLiteral("Griglia"), {"Punti", "Linee"});
    form->addRow(QStringLiteral("&Griglia:"), grid_);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons_->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons_);
    setAppearance({});
}

void AppearanceDialog::setAppearance(const plot::Appearance& a) {
    background_->setCurrentIndex(a.background == plot::Background::White ? 1 : 0);
    thickness_->setValue(a.thickness);
    continuous_->setChecked(a.continuousLines);
    numbers_->setCurrentIndex(static_cast<int>(a.axisNumbers));
    grid_->setCurrentIndex(a.grid == plot::GridStyle::Lines ? 1 : 0);
}

plot::Appearance AppearanceDialog::appearance() const {
    plot::Appearance a;
    a.background =
        background_->currentIndex() == 1 ? plot::Background::White : plot::Background::Black;
    a.thickness = thickness_->value();
    a.continuousLines = continuous_->isChecked();
    a.axisNumbers = static_cast<plot::AxisNumberSize>(numbers_->currentIndex());
    a.grid = grid_->currentIndex() == 1 ? plot::GridStyle::Lines : plot::GridStyle::Dots;
    return a;
}

void AppearanceDialog::setAcceptEnabled(bool enabled) {
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(enabled);
}

} // namespace curvalia::ui
