// Lets controls that were placed for one size follow a window that grows:
// each keeps its design rectangle, moved and stretched by as much as the
// area around it has grown, so at the design size everything is exactly
// where it was placed. Header only, like the rest of this folder.
#pragma once

#include <QEvent>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

namespace curvalia::layout {

class GrowthLayout : public QObject {
  public:
    enum Follow {
        Stay = 0,
        MoveRight = 1, // by the growth in width
        MoveDown = 2,  // by the growth in height
        GrowWide = 4,
        GrowTall = 8,
    };

    // Watches area, whose present size is the design size; every control
    // added is placed anew whenever area is resized.
    explicit GrowthLayout(QWidget& area) : QObject(&area), area_(area), design_(area.size()) {
        area.installEventFilter(this);
    }

    // From the control's present geometry, its design rectangle.
    void add(QWidget* control, int follow) {
        controls_.push_back({control, control->geometry(), follow});
    }
    // Anything else that follows the growth.
    void add(std::function<void(QSize growth)> follower) {
        followers_.push_back(std::move(follower));
    }

    QSize designSize() const { return design_; }
    QSize growth() const { return area_.size() - design_; }

    void apply() const {
        const QSize g = growth().expandedTo(QSize(0, 0));
        for (const auto& c : controls_) {
            QRect r = c.design;
            r.translate(c.follow & MoveRight ? g.width() : 0, c.follow & MoveDown ? g.height() : 0);
            r.setWidth(r.width() + (c.follow & GrowWide ? g.width() : 0));
            r.setHeight(r.height() + (c.follow & GrowTall ? g.height() : 0));
            c.control->setGeometry(r);
        }
        for (const auto& f : followers_)
            f(g);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &area_ && event->type() == QEvent::Resize)
            apply();
        return QObject::eventFilter(watched, event);
    }

  private:
    struct Control {
        QWidget* control;
        QRect design;
        int follow;
    };
    QWidget& area_;
    QSize design_;
    std::vector<Control> controls_;
    std::vector<std::function<void(QSize)>> followers_;
};

} // namespace curvalia::layout
