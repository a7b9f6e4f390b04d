#include "ui/print/PrintOptionsWidget.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace curvalia::ui {

PrintOptionsWidget::PrintOptionsWidget(const PageOptions& options, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("opzioniStampa"));
    // The tab's caption in the print dialog.
    setWindowTitle(QStringLiteral("Grafico"));
    auto* scale = new QGroupBox(QStringLiteral("Scala"), this);
    fit_ = new QRadioButton(QStringLiteral("&Adatta alla pagina"), scale);
    fit_->setObjectName(QStringLiteral("adattaPagina"));
    centimetre_ = new QRadioButton(QString::fromUtf8("&1 unit\xC3\xA0 = 1 cm"), scale);
    centimetre_->setObjectName(QStringLiteral("unCentimetro"));
    (options.scale == PageScale::Centimetre ? centimetre_ : fit_)->setChecked(true);
    auto* scaleLayout = new QVBoxLayout(scale);
    scaleLayout->addWidget(fit_);
    scaleLayout->addWidget(centimetre_);

    black_ = new QCheckBox(QStringLiteral("Sfondo &nero"), this);
    black_->setObjectName(QStringLiteral("sfondoNero"));
    black_->setChecked(options.background == plot::Background::Black);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scale);
    layout->addWidget(black_);
    layout->addStretch();
}

PageOptions PrintOptionsWidget::options() const {
    return {centimetre_->isChecked() ? PageScale::Centimetre : PageScale::Fit,
            black_->isChecked() ? plot::Background::Black : plot::Background::White};
}

} // namespace curvalia::ui
