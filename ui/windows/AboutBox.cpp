#include "ui/windows/AboutBox.h"

#include "layout/Labels.h"
#include "layout/WindowHints.h"
#include "ui/windows/LinkFallbackBox.h"
#include "ui/windows/SvgPicture.h"
#include "ui/windows/WindowPlacement.h"

#include <QColor>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPointer>
#include <QPushButton>

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace curvalia::ui {

using layout::addLabel;
using layout::setFixedDialogHints;

namespace {

QPointer<AboutBox>& openBox() {
    static QPointer<AboutBox> box;
    return box;
}

// One of the two one-pixel lines that together look like an etched groove.
void addLine(QWidget* parent, const QColor& colour, const QRect& geometry) {
    auto* line = new QWidget(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setGeometry(geometry);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
}

} // namespace

AboutBox* AboutBox::showSingle(QWidget* parent, platform::ShellServices& services) {
    QPointer<AboutBox>& box = openBox();
    if (!box) {
        box = new AboutBox(services, parent);
        box->setAttribute(Qt::WA_DeleteOnClose);
        if (parent)
            placeBeside(*box, *parent, Side::Left);
    }
    box->show();
    box->raise();
    box->activateWindow();
    return box;
}

AboutBox* AboutBox::current() {
    return openBox();
}

void AboutBox::closeSingle() {
    if (AboutBox* box = openBox())
        box->close();
}

QString AboutBox::versionText() {
    return QStringLiteral("Versione %1.%2.%3")
        .arg(CURVALIA_VERSION_MAJOR)
        .arg(CURVALIA_VERSION_MINOR)
        .arg(CURVALIA_VERSION_PATCH);
}

AboutBox::AboutBox(platform::ShellServices& services, QWidget* parent)
    : QDialog(parent), services_(services) {
    setObjectName(QStringLiteral("frmAbout"));
    setModal(false);
    setFixedDialogHints(*this);
    setWindowIcon(QIcon(QStringLiteral(":/images/app-icon.svg")));
    setFixedSize(424, 236);
    buildControls();
    loadTexts();
}

void AboutBox::buildControls() {
    auto* picIcon = new SvgPicture(QStringLiteral(":/images/app-icon.svg"), this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(18, 18, 32, 32);

    lblTitle_ = addLabel(this, "lblTitle", QString(), QRect(70, 16, 340, 26));
    QFont titleFont = lblTitle_->font();
    titleFont.setPointSizeF(12);
    titleFont.setBold(true);
    lblTitle_->setFont(titleFont);
    lblVersion_ = addLabel(this, "lblVersion", QString(), QRect(70, 44, 340, 18));
    lblDescription_ = addLabel(this, "lblDescription", QString(), QRect(70, 64, 340, 18));
    lblDescription_->setText(QString::fromUtf8(kCredit));

    // The two links: dark blue, a hand pointer, a tooltip; a click anywhere
    // on them opens them, and so does Enter once Tab has reached them.
    label1_ = addLabel(this, "Label1", QString(), QRect(70, 94, 340, 18));
    label1_->setText(QStringLiteral("E-mail: ") + QString::fromUtf8(kEmail));
    label1_->setToolTip(QStringLiteral("Scrivimi"));
    label2_ = addLabel(this, "Label2", QString(), QRect(70, 114, 340, 18));
    label2_->setText(QStringLiteral("Url: ") + QString::fromUtf8(kWebPage));
    label2_->setToolTip(QStringLiteral("Visita il mio sito"));
    for (QLabel* link : {label1_, label2_}) {
        QPalette palette = link->palette();
        palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
        link->setPalette(palette);
        link->setCursor(Qt::PointingHandCursor);
        // One Tab stop each, the whole label being the link (see eventFilter).
        link->setFocusPolicy(Qt::TabFocus);
        link->installEventFilter(this);
    }
    // A screen reader reads a dialog's loose labels of three words or more
    // when it opens.
    label1_->setAccessibleName(QStringLiteral("Indirizzo e-mail: ") + QString::fromUtf8(kEmail));
    label2_->setAccessibleName(QStringLiteral("Indirizzo del sito: ") +
                               QString::fromUtf8(kWebPage));

    addLine(this, QColor(128, 128, 128), QRect(10, 146, 404, 1));
    addLine(this, QColor(255, 255, 255), QRect(10, 147, 404, 1));

    auto* label3 = addLabel(this, "Label3", QString(), QRect(18, 160, 262, 60));
    label3->setText(
        QStringLiteral("L'autore non si ritiene responsabile di eventuali malfunzionamenti."));
    label3->setWordWrap(true);
    label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setGeometry(296, 160, 112, 28);
    // Default button for Enter; Esc closes the box the same way (reject).
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::close);

    cmdSysInfo_ = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo_->setGeometry(296, 196, 112, 28);
    connect(cmdSysInfo_, &QPushButton::clicked, this, [this] { services_.sysInfo.StartSysInfo(); });

    setTabOrder(cmdOK_, cmdSysInfo_);
    setTabOrder(cmdSysInfo_, label1_);
    setTabOrder(label1_, label2_);
    cmdOK_->setFocus();
}

void AboutBox::loadTexts() {
    const QString title = QStringLiteral(CURVALIA_TITLE);
    setWindowTitle(QStringLiteral("Informazioni su ") + title);
    lblVersion_->setText(versionText());
    lblVersion_->setAccessibleName(versionText() + QStringLiteral(" di ") + title);
    lblTitle_->setText(title);
    lblDescription_->setText(QString::fromUtf8(kCredit));
}

void AboutBox::openEmail() {
    // Both, every time: the mail program for writing, the page for reading.
    openLinks({{std::string("mailto:") + kEmail, QString::fromUtf8(kEmail)},
               {kWebPage, QString::fromUtf8(kWebPage)}});
}

void AboutBox::openWebPage() {
    openLinks({{kWebPage, QString::fromUtf8(kWebPage)}});
}

void AboutBox::openLinks(const std::vector<std::pair<std::string, QString>>& links) {
    // The desktop answers each link in its own time; once all have answered,
    // those it could not open are shown, in the order of the links, so the
    // user can still copy them. The box belongs to the main window, so it
    // stays when the About box closes, and it is not shown once the main
    // window is gone.
    struct Pending {
        std::vector<QString> unopened;
        std::size_t waiting;
    };
    auto pending =
        std::make_shared<Pending>(Pending{std::vector<QString>(links.size()), links.size()});
    QWidget* parent = parentWidget();
    const QPointer<QWidget> owner(parent);
    for (std::size_t i = 0; i < links.size(); ++i) {
        const QString address = links[i].second;
        services_.opener.open(links[i].first, [pending, i, address, owner, parent](bool opened) {
            if (!opened)
                pending->unopened[i] = address;
            if (--pending->waiting != 0 || owner != parent)
                return;
            QStringList addresses;
            for (const QString& unopened : pending->unopened)
                if (!unopened.isEmpty())
                    addresses << unopened;
            if (!addresses.isEmpty())
                LinkFallbackBox::showFor(owner, addresses);
        });
    }
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != label1_ && watched != label2_)
        return QDialog::eventFilter(watched, event);
    auto* link = static_cast<QLabel*>(watched);
    // Reached by Tab, the link is underlined, and Enter or Space opens it
    // (not the OK button, which Enter presses elsewhere in the box).
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        QFont font = link->font();
        font.setUnderline(event->type() == QEvent::FocusIn);
        link->setFont(font);
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            link == label1_ ? openEmail() : openWebPage();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        pressedLink_ = mouse->button() == Qt::LeftButton ? watched : nullptr;
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool click =
            mouse->button() == Qt::LeftButton && pressedLink_ == watched &&
            static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint());
        pressedLink_ = nullptr;
        if (click)
            watched == label1_ ? openEmail() : openWebPage();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace curvalia::ui
