#include "ui/AreaDialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

using curvalia::ui::AreaDialog;

TEST(AreaDialog, TabRunsThroughTheFieldsToOkAndOkOrCloseOnlyHideKeepingTheTexts) {
    AreaDialog dialog;
    const curvalia::plot::RangeTexts defaults = dialog.rangeTexts();
    EXPECT_EQ(defaults.xmin + defaults.xmax + defaults.ymin + defaults.ymax + defaults.step,
              "-1010-10100.01");
    dialog.show();
    QApplication::processEvents();
    dialog.findChild<QLineEdit*>("XminTXT")->setFocus();
    for (const char* name :
         {"XminTXT", "XmaxTXT", "YminTXT", "YmaxTXT", "PrecisioneTXT", "Command1"}) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(focus->objectName(), QString::fromLatin1(name));
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(focus, &tab);
    }
    for (const bool viaOk : {true, false}) {
        dialog.show();
        dialog.findChild<QLineEdit*>("XmaxTXT")->setText(viaOk ? "2.9" : "7");
        if (viaOk)
            dialog.findChild<QPushButton*>("Command1")->click();
        else
            dialog.close();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.rangeTexts().xmax, viaOk ? "2.9" : "7");
    }
}

} // namespace
