// A grey note under the controls of a fixed-size window. While it shows,
// the window grows down to hold it; without it the window is back at its own
// size, every control where it was.
#pragma once

#include "layout/Twips.h"

#include <QColor>
#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace curvalia::layout {

class GrowingNote {
  public:
    // clientTwips: the window's own size; marginTwips: kept left, right and below.
    GrowingNote(QWidget& window, const char* name, QSize clientTwips, int marginTwips)
        : window_(window), client_(clientTwips), margin_(marginTwips), label_(new QLabel(&window)) {
        label_->setObjectName(QString::fromLatin1(name));
        label_->setWordWrap(true);
        label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QPalette grey = label_->palette();
        grey.setColor(QPalette::WindowText, QColor(96, 96, 96));
        label_->setPalette(grey);
        label_->hide();
    }

    // An empty text takes the note away.
    void show(const QString& text) {
        const QSize own(px(client_.width()), px(client_.height()));
        if (text.isEmpty()) {
            label_->hide();
            window_.setFixedSize(own);
            return;
        }
        label_->setText(text);
        const int width = px(client_.width() - 2 * margin_);
        const int height = label_->heightForWidth(width);
        label_->setGeometry(px(margin_), own.height(), width, height);
        label_->show();
        window_.setFixedSize(own.width(), own.height() + height + px(margin_));
    }

    QLabel& label() const { return *label_; }

  private:
    QWidget& window_;
    QSize client_;
    int margin_;
    QLabel* label_;
};

} // namespace curvalia::layout
