#include "ui/windows/LinkFallbackBox.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace curvalia::ui {

namespace {

QPointer<LinkFallbackBox>& openBox() {
    static QPointer<LinkFallbackBox> box;
    return box;
}

} // namespace

LinkFallbackBox* LinkFallbackBox::showFor(QWidget* parent, const QStringList& addresses) {
    QPointer<LinkFallbackBox>& box = openBox();
    if (box && box->addresses() != addresses) {
        box->close(); // deleted on close; a fresh one shows the new addresses
        box = nullptr;
    }
    if (!box) {
        box = new LinkFallbackBox(addresses, parent);
        box->setAttribute(Qt::WA_DeleteOnClose);
    }
    box->show();
    box->raise();
    box->activateWindow();
    return box;
}

LinkFallbackBox* LinkFallbackBox::current() {
    return openBox();
}

LinkFallbackBox::LinkFallbackBox(const QStringList& addresses, QWidget* parent)
    : QDialog(parent), addresses_(addresses) {
    setObjectName(QStringLiteral("LinkFallbackBox"));
    setModal(false);
    setWindowTitle(QStringLiteral(CURVALIA_TITLE));
    setMinimumWidth(380);

    auto* layout = new QVBoxLayout(this);
    auto* explanation = new QLabel(
        QString::fromUtf8(kCannotOpen) + QLatin1Char(' ') + QString::fromUtf8(kCopyFromHere), this);
    explanation->setWordWrap(true);
    layout->addWidget(explanation);
    for (const QString& address : addresses) {
        auto* field = new QLineEdit(address, this);
        field->setObjectName(QStringLiteral("address"));
        field->setReadOnly(true);
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(address) + 24);
        layout->addWidget(field);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* copy = new QPushButton(QStringLiteral("&Copia"), this);
    copy->setObjectName(QStringLiteral("cmdCopy"));
    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(addresses_.join(QLatin1Char('\n'))); });
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    buttons->addWidget(copy);
    buttons->addWidget(ok);
    layout->addLayout(buttons);

    // The first address selected, ready for Ctrl+C.
    if (auto* first = findChild<QLineEdit*>(QStringLiteral("address"))) {
        first->setFocus();
        first->selectAll();
    }
}

} // namespace curvalia::ui
