#include "ui/windows/AreaDialog.h"

#include "layout/Labels.h"
#include "layout/Twips.h"
#include "layout/WindowHints.h"
#include "plot/RangeNote.h"

#include <QColor>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include <algorithm>

namespace curvalia::ui {

using layout::addLabel;
using layout::arialFont;
using layout::px;
using layout::setFixedDialogHints;
using layout::twipsRect;

namespace {

constexpr int kClientWidth = 2775;
constexpr int kClientHeight = 2070;
constexpr int kFieldMaxLength = 150;
constexpr int kNoteMargin = 180; // the labels' left edge, kept on both sides and below

QLineEdit* field(QWidget* parent, const char* name, const char* text, QRect geometry) {
    auto* edit = new QLineEdit(QString::fromUtf8(text), parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(geometry);
    // A session keeps the texts as typed; a bound keeps its file small.
    edit->setMaxLength(kFieldMaxLength);
    return edit;
}

} // namespace

AreaDialog::AreaDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Area"));
    setWindowTitle(QStringLiteral("Area"));
    setFixedDialogHints(*this);
    setFont(arialFont(8.25));
    setFixedSize(px(kClientWidth), px(kClientHeight));

    XminTXT_ = field(this, "XminTXT", "-10", twipsRect(720, 240, 495, 255));
    XmaxTXT_ = field(this, "XmaxTXT", "10", twipsRect(1920, 240, 495, 255));
    YminTXT_ = field(this, "YminTXT", "-10", twipsRect(720, 540, 495, 255));
    YmaxTXT_ = field(this, "YmaxTXT", "10", twipsRect(1920, 540, 495, 255));
    PrecisioneTXT_ = field(this, "PrecisioneTXT", "0.01", twipsRect(720, 1020, 675, 255));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setGeometry(twipsRect(960, 1560, 915, 375));
    connect(ok, &QPushButton::clicked, this, &QWidget::hide);

    // Each label is its field's buddy, which names the field for a screen reader.
    addLabel(this, "Label1", "X min.:", twipsRect(180, 240, 555, 255))->setBuddy(XminTXT_);
    addLabel(this, "Label2", "X max.:", twipsRect(1320, 240, 555, 255))->setBuddy(XmaxTXT_);
    addLabel(this, "Label3", "Y min.:", twipsRect(180, 540, 555, 255))->setBuddy(YminTXT_);
    addLabel(this, "Label4", "Y max.:", twipsRect(1320, 540, 555, 255))->setBuddy(YmaxTXT_);
    QLabel* Label7 = addLabel(this, "Label7", "Step:", twipsRect(300, 1020, 375, 195));
    Label7->setToolTip(QStringLiteral("Dettaglio grafico"));
    Label7->setBuddy(PrecisioneTXT_);

    setTabOrder(XminTXT_, XmaxTXT_);
    setTabOrder(XmaxTXT_, YminTXT_);
    setTabOrder(YminTXT_, YmaxTXT_);
    setTabOrder(YmaxTXT_, PrecisioneTXT_);
    setTabOrder(PrecisioneTXT_, ok);

    note_ = std::make_unique<layout::GrowingNote>(*this, "RangeNote",
                                                  QSize(kClientWidth, kClientHeight), kNoteMargin);
    for (QLineEdit* edit : fields())
        connect(edit, &QLineEdit::textChanged, this, &AreaDialog::updateNote);
}

void AreaDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    opened_ = rangeTexts();
    // Wherever the focus was left (a draw disables the fields and moves it
    // on), the dialog opens on X min with its text ready to be typed over.
    XminTXT_->setFocus(Qt::OtherFocusReason);
    XminTXT_->selectAll();
}

void AreaDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        setRangeTexts(opened_);
        hide();
        return;
    }
    QDialog::keyPressEvent(event);
}

void AreaDialog::updateNote() {
    const QString note = QString::fromStdString(plot::rangeNote(rangeTexts()));
    note_->show(note);
    emit noteChanged(note);
}

plot::RangeTexts AreaDialog::rangeTexts() const {
    plot::RangeTexts texts;
    texts.xmin = XminTXT_->text().toStdString();
    texts.xmax = XmaxTXT_->text().toStdString();
    texts.ymin = YminTXT_->text().toStdString();
    texts.ymax = YmaxTXT_->text().toStdString();
    texts.step = PrecisioneTXT_->text().toStdString();
    return texts;
}

void AreaDialog::setRangeTexts(const plot::RangeTexts& texts) {
    XminTXT_->setText(QString::fromStdString(texts.xmin));
    XmaxTXT_->setText(QString::fromStdString(texts.xmax));
    YminTXT_->setText(QString::fromStdString(texts.ymin));
    YmaxTXT_->setText(QString::fromStdString(texts.ymax));
    PrecisioneTXT_->setText(QString::fromStdString(texts.step));
}

void AreaDialog::setFieldsEnabled(bool enabled) {
    // Disabling moves the focus on, to OK; once the draw is over it goes
    // back to the field it left.
    const auto all = fields();
    if (!enabled && std::find(all.begin(), all.end(), focusWidget()) != all.end())
        focusBeforeDisabling_ = static_cast<QLineEdit*>(focusWidget());
    for (QLineEdit* edit : all)
        edit->setEnabled(enabled);
    if (enabled && focusBeforeDisabling_) {
        focusBeforeDisabling_->setFocus(Qt::OtherFocusReason);
        focusBeforeDisabling_ = nullptr;
    }
}

} // namespace curvalia::ui
