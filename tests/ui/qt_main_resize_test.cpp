// The main window at other sizes: at its own size it is the same picture as
// before it could grow, and growing and shrinking back gives it again.
#include "qt_main_input_support.h"

#include <QAction>
#include <QDir>
#include <QImage>

#include <cstdlib>

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
        pressButton("penna_bn", "penna");
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

} // namespace
} // namespace curvalia::ui
