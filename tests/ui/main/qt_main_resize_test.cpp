// The main window at other sizes: at its own size it is the same picture as
// before it could grow, and growing and shrinking back gives it again.
#include "support/qt_main_input_support.h"
#include "ui/explore/CoordinateLabel.h"

#include <QAction>
#include <QDir>
#include <QImage>

#include <array>
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

TEST_F(MainResizeTest, ThePlotGrowsAndTheOtherControlsKeepTheirPlaceBesideIt) {
    if (std::getenv("CURVALIA_WRITE_REFERENCE")) {
        ASSERT_TRUE(picture().save(kReference));
        GTEST_SKIP() << "reference written";
    }
    // At its own size the window is the reference picture, before and after growing.
    const QImage reference(kReference);
    ASSERT_FALSE(reference.isNull()) << kReference.toStdString();
    EXPECT_TRUE(samePixels(picture(), reference));
    const QSize design = window.size();
    ASSERT_EQ(design, QSize(518, 447));
    EXPECT_EQ(window.minimumSize(), design);
    // How each edge follows the growth: left, top, right, bottom, 1 where it
    // moves with the window's width (or height), 0 where it stays.
    using Edges = std::array<int, 4>;
    const Edges right{1, 0, 1, 0}, rightDown{1, 1, 1, 1}, grows{0, 0, 1, 1};
    const Edges down{0, 1, 0, 1}, downWider{0, 1, 1, 1}, wider{0, 0, 1, 0};
    const std::pair<const char*, Edges> controls[] = {
        {"Graph", grows},       {"Frame2", grows},     {"penna", right},      {"Stopim", right},
        {"speedSwitch", right}, {"Shape1", rightDown}, {"Label3", rightDown}, {"Label1", down},
        {"MyFx", downWider},    {"Line1", downWider},  {"Frame1", downWider}, {"StatusBar", wider},
        {"ScrollBar", wider},
    };
    std::map<std::string, QRect> before;
    for (const auto& [name, edges] : controls)
        before[name] = child<QWidget>(name)->geometry();
    for (const QSize size :
         {QSize(718, 447), QSize(518, 700), QSize(1280, 1000), QSize(400, 300)}) {
        window.resize(size);
        QApplication::processEvents();
        const QSize g = window.size() - design;
        SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
        EXPECT_EQ(window.size(), size.expandedTo(design)); // never below the design size
        for (const auto& [name, e] : controls) {
            const QRect r = before[name].adjusted(e[0] * g.width(), e[1] * g.height(),
                                                  e[2] * g.width(), e[3] * g.height());
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
    EXPECT_TRUE(samePixels(picture(), reference));
}

} // namespace
} // namespace curvalia::ui
