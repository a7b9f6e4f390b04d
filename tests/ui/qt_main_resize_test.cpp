// The main window at other sizes: at its own size it is the same picture as
// before it could grow, and growing and shrinking back gives it again.
#include "qt_main_input_support.h"
#include "ui/CoordinateLabel.h"

#include <QAction>
#include <QDir>
#include <QImage>

#include <cstdlib>
#include <map>
#include <string>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

// The reference picture of the window at its own size, taken with a sin(x)
// plot and its derivative on a grid. CURVALIA_WRITE_REFERENCE=1 writes it anew.
const QString kReference = QStringLiteral(CURVALIA_UI_TEST_DATA "/main_window_518x447.png");

struct MainResizeTest : MainWindowRig {
    MainResizeTest() {
        QApplication::setCursorFlashTime(0); // no blinking text cursor in the picture
        window.findChild<QAction*>("derpri")->trigger();
        window.findChild<QAction*>("GrigliaM")->trigger();
        fx()->setText("sin(x)");
        pressButton("penna");
        moveOver(child<QWidget>("Frame2"), QPointF(2, 2)); // buttons back to normal
    }
    QImage picture() { return window.grab().toImage(); }
};

TEST_F(MainResizeTest, AtItsOwnSizeTheWindowIsTheReferencePicture) {
    const QImage now = picture();
    if (std::getenv("CURVALIA_WRITE_REFERENCE")) {
        ASSERT_TRUE(now.save(kReference));
        GTEST_SKIP() << "reference written";
    }
    const QImage reference(kReference);
    ASSERT_FALSE(reference.isNull()) << kReference.toStdString();
    EXPECT_TRUE(samePixels(now, reference));
}

TEST_F(MainResizeTest, ThePlotGrowsAndTheOtherControlsKeepTheirPlaceBesideIt) {
    const QSize design = window.size();
    ASSERT_EQ(design, QSize(518, 447));
    EXPECT_EQ(window.minimumSize(), design);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    enum Follow { Stays, Right, Down, RightDown, Grows, DownWider, Wider };
    const std::pair<const char*, Follow> controls[] = {
        {"Graph", Grows},       {"Frame2", Grows},     {"penna", Right},      {"Stopim", Right},
        {"speedSwitch", Right}, {"Shape1", RightDown}, {"Label3", RightDown}, {"Label1", Down},
        {"MyFx", DownWider},    {"Line1", DownWider},  {"Frame1", DownWider}, {"StatusBar", Wider},
        {"ScrollBar", Wider},
    };
    std::map<std::string, QRect> before;
    for (const auto& [name, follow] : controls)
        before[name] = child<QWidget>(name)->geometry();
    for (const QSize size :
         {QSize(718, 447), QSize(518, 700), QSize(1280, 1000), QSize(400, 300)}) {
        window.resize(size);
        QApplication::processEvents();
        const QSize g = window.size() - design;
        SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
        EXPECT_EQ(window.size(), size.expandedTo(design)); // never below the design size
        for (const auto& [name, follow] : controls) {
            QRect r = before[name];
            const int dx = g.width(), dy = g.height();
            switch (follow) {
            case Stays:
                break;
            case Right:
                r.translate(dx, 0);
                break;
            case Down:
                r.translate(0, dy);
                break;
            case RightDown:
                r.translate(dx, dy);
                break;
            case Grows:
                r.adjust(0, 0, dx, dy);
                break;
            case DownWider:
                r.translate(0, dy), r.adjust(0, 0, dx, 0);
                break;
            case Wider:
                r.adjust(0, 0, dx, 0);
                break;
            }
            EXPECT_EQ(child<QWidget>(name)->geometry(), r) << name;
        }
        // The read-out and notes end where the status line ends.
        auto* notes = child<CoordinateLabel>("Coordinate");
        notes->showNote(QStringLiteral("nota"));
        EXPECT_EQ(notes->geometry().right(), child<QWidget>("StatusBar")->geometry().right());
        notes->hide();
        auto* graph = child<PlotSurfaceWidget>("Graph");
        EXPECT_EQ(graph->mapping().pixels(), QSize(446, 310) + g);
        EXPECT_EQ(graph->image().size(), QSize(446, 310) + g); // drawn anew, not stretched
    }
    window.resize(design);
    QApplication::processEvents();
    EXPECT_TRUE(samePixels(picture(), QImage(kReference))); // the very pixels again
}

} // namespace
} // namespace curvalia::ui
