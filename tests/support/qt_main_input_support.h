// The main window under test, with mouse and keyboard input sent through the
// application as the windowing system would deliver it; and the closing of the
// windows kept as single instances, so that no test sees another's.
#pragma once

#include "ui/help/HelpWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/main/PictureButton.h"
#include "ui/plotview/PlotSurfaceWidget.h"
#include "ui/windows/AboutBox.h"
#include "ui/windows/LinkFallbackBox.h"

#include <QApplication>
#include <QColorSpace>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>

// A failed comparison of texts shows the texts, not their bytes.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace curvalia::ui::testing {

// At local position at, else at the widget's centre.
inline void sendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button,
                      Qt::MouseButtons buttons, std::optional<QPointF> at = {},
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPointF local = at.value_or(QPointF(w->width() / 2.0, w->height() / 2.0));
    QMouseEvent event(type, local, w->mapToGlobal(local), button, buttons, modifiers);
    QApplication::sendEvent(w, &event);
}

// Notches of the wheel at local position at, positive away from the user.
inline void sendWheel(QWidget* w, QPointF at, int notches) {
    QWheelEvent event(at, w->mapToGlobal(at), {}, QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
}

inline void moveOver(QWidget* w, std::optional<QPointF> at = {}) {
    sendMouse(w, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, at);
}

inline void click(QWidget* w, std::optional<QPointF> at = {},
                  Qt::MouseButton button = Qt::LeftButton) {
    sendMouse(w, QEvent::MouseButtonPress, button, button, at);
    sendMouse(w, QEvent::MouseButtonRelease, button, Qt::NoButton, at);
}

// A key press sent this way meets the window's shortcuts first, as a typed
// one does, when the window is active.
inline void pressKey(QWidget* w, int key, const char* text = "",
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, modifiers, QString::fromLatin1(text));
        QApplication::sendEvent(w, &event);
    }
}

// The single-instance windows delete themselves on closing, later.
inline void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

struct ClosesSingleWindows : ::testing::Test {
    void TearDown() override {
        if (LinkFallbackBox* box = LinkFallbackBox::current())
            box->close();
        if (HelpWindow* help = HelpWindow::current())
            help->close();
        AboutBox::closeSingle();
        flushDeletes();
    }
};

// Equal pixels, whatever format and colour space each image came with.
inline bool samePixels(const QImage& a, const QImage& b) {
    QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    x.setColorSpace({});
    y.setColorSpace({});
    return x == y;
}

// An SVG drawn at pixels, over magenta so that gaps show.
inline QImage renderSvg(const QByteArray& svg, QSize pixels) {
    QSvgRenderer renderer(svg);
    QImage out(pixels, QImage::Format_RGB32);
    out.fill(QColor(255, 0, 255));
    QPainter painter(&out);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return out;
}

struct MainWindowRig : ClosesSingleWindows {
    MainWindowRig() { window.show(); }
    void TearDown() override {
        EXPECT_EQ(probesWaiting, 0) << "a probe's draw never reached its first yield";
        ClosesSingleWindows::TearDown();
    }

    template <class T = QWidget> T* child(const char* name) {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    PictureButton* picture(const char* name) { return child<PictureButton>(name); }
    QLineEdit* fx() { return child<QLineEdit>("MyFx"); }
    PlotSurfaceWidget* graph() { return child<PlotSurfaceWidget>("Graph"); }
    QString status() { return child<QLabel>("StatusBar")->text(); }
    // The other windows ask the platform for activation, which comes later:
    // let it come, then make the main window active, as its shortcuts need.
    void activate() {
        QApplication::processEvents();
        QApplication::setActiveWindow(&window);
    }
    void drawExpression(const char* text) {
        fx()->setText(QString::fromUtf8(text));
        pressButton("penna");
    }
    // Hovers over a button, which shows its highlighted picture, and clicks it.
    void pressButton(const char* name) {
        moveOver(picture(name));
        click(picture(name));
    }
    // Runs during the draw that the next click on the draw button starts, at
    // its first yield after the inputs were disabled; the test fails if it
    // never does.
    void duringDraw(std::function<void()> probe) {
        ++probesWaiting;
        auto* poll = new QTimer(&window);
        poll->setInterval(0);
        QObject::connect(poll, &QTimer::timeout, &window, [this, poll, probe = std::move(probe)] {
            if (!window.isDrawing() || fx()->isEnabled())
                return;
            poll->stop();
            poll->deleteLater();
            --probesWaiting;
            probe();
        });
        poll->start();
    }
    // Pixels of one colour on the plot, from column fromX on.
    int pixelsOfColour(QRgb colour, int fromX = 0) {
        const QImage& image = child<PlotSurfaceWidget>("Graph")->image();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = fromX; x < image.width(); ++x)
                count += (image.pixel(x, y) | 0xFF000000u) == colour;
        return count;
    }
    // Green curve pixels right of the plot's middle: none when a draw of x
    // stopped early.
    int greenRightOfCentre() {
        const int centre = child<PlotSurfaceWidget>("Graph")->image().width() / 2;
        return pixelsOfColour(qRgb(0, 255, 0), centre + 4);
    }

    MainWindow window;
    int probesWaiting = 0;
};

} // namespace curvalia::ui::testing
