// What a screen reader reads off the widgets themselves: the fields whole,
// "Area" as a dialog, the progress bar, the checkable menu entries, the help
// read by lines and the About box's links by keyboard.
#include "platform/platform_fakes_support.h"
#include "support/qt_main_input_support.h"
#include "support/table_rows.h"
#include "ui/main/Accessibility.h"
#include "ui/main/MainMenu.h"
#include "ui/plotview/ProgressMeter.h"
#include "ui/windows/AreaDialog.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTextBrowser>

#include <tuple>

namespace curvalia::ui {
namespace {

using namespace testing;

struct ScreenReaderWidgets : ClosesSingleWindows {
    ScreenReaderWidgets() { installAccessibility(); }
};

QAccessibleTextInterface* textOf(QLineEdit& edit) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&edit);
    return iface ? iface->textInterface() : nullptr;
}

// The calls Orca makes on a field: every piece comes back whole, the last
// character included, and a word with no letters around it comes back at all.
TEST_F(ScreenReaderWidgets, FieldsAnswerEveryTextQueryWithTheWholeText) {
    QLineEdit edit;
    using B = QAccessible::TextBoundaryType;
    // text, offset, boundary, step (-1 before, 0 at, 1 after), piece, start
    using Row = std::tuple<const char*, int, B, int, const char*, int>;
    const B line = QAccessible::LineBoundary, chr = QAccessible::CharBoundary,
            word = QAccessible::WordBoundary, sentence = QAccessible::SentenceBoundary,
            paragraph = QAccessible::ParagraphBoundary;
    const auto rows = ::curvalia::testing::rows(
        Row("-10", 3, line, 0, "-10", 0), Row("-10", 0, line, 0, "-10", 0),
        Row("-10", 3, chr, 0, "", -1), Row("-10", 3, chr, -1, "0", 2),
        Row("-10", 2, chr, 0, "0", 2), Row("-10", 0, word, 0, "-10", 0),
        Row("-10", 3, word, 0, "-10", 0), Row("-10", 0, sentence, 0, "-10", 0),
        Row("0.01", 4, paragraph, 0, "0.01", 0), Row("0.01", -1, line, 0, "0.01", 0),
        Row("0.01", 2, line, 1, "", -1), Row("sin(x) + 2", 10, word, 0, "2", 9),
        Row("sin(x) + 2", 10, word, -1, "+ ", 7), Row("sin(x) + 2", 0, word, 1, "+ ", 7),
        Row("", 0, line, 0, "", -1), Row("-10", 4, line, 0, "", -1));
    for (const auto& [text, offset, boundary, step, piece, start] : rows) {
        SCOPED_TRACE(std::string(text) + " @" + std::to_string(offset) + " " +
                     std::to_string(boundary) + " " + std::to_string(step));
        edit.setText(QString::fromUtf8(text));
        QAccessibleTextInterface* t = textOf(edit);
        ASSERT_NE(t, nullptr);
        int from = 0, to = 0;
        const QString got = step < 0   ? t->textBeforeOffset(offset, boundary, &from, &to)
                            : step > 0 ? t->textAfterOffset(offset, boundary, &from, &to)
                                       : t->textAtOffset(offset, boundary, &from, &to);
        EXPECT_EQ(got, QString::fromUtf8(piece));
        EXPECT_EQ(from, start);
        EXPECT_EQ(to, start < 0 ? -1 : start + static_cast<int>(got.size()));
    }
}

TEST_F(ScreenReaderWidgets, FieldsHaveOneAttributeRunAndACaretPlaceAtTheEnd) {
    QLineEdit edit(QStringLiteral("80.537"));
    edit.resize(200, 24);
    edit.show();
    QAccessibleTextInterface* t = textOf(edit);
    ASSERT_NE(t, nullptr);
    for (int offset = 0; offset < 6; ++offset) {
        int from = -2, to = -2;
        t->attributes(offset, &from, &to);
        EXPECT_EQ(std::pair(from, to), std::pair(0, 6)) << offset;
    }
    const QRect last = t->characterRect(5), end = t->characterRect(6);
    EXPECT_GT(last.width(), 0);
    EXPECT_GT(last.left(), t->characterRect(4).left());
    EXPECT_EQ(end.width(), 0);
    EXPECT_EQ(end.left(), last.left() + last.width());
    EXPECT_EQ(t->offsetAtPoint(last.center()), 5); // nearest caret place: either side of it
}

TEST_F(ScreenReaderWidgets, AreaOpensOnXminSelectedAndEscPutsBackItsTexts) {
    AreaDialog dialog;
    auto* xmin = dialog.findChild<QLineEdit*>("XminTXT");
    auto* ymax = dialog.findChild<QLineEdit*>("YmaxTXT");
    // How it was left: OK or its close button (both keep the texts), Esc, a
    // draw that disabled the field with the focus.
    const char* leaves[] = {"ok", "close", "esc", "draw"};
    for (const char* leave : leaves) {
        SCOPED_TRACE(leave);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        EXPECT_EQ(QApplication::focusWidget(), xmin);
        EXPECT_EQ(xmin->selectedText(), xmin->text());
        ymax->setFocus();
        ymax->setText("99");
        if (leave == std::string("ok") || leave == std::string("close")) {
            if (leave == std::string("ok"))
                dialog.findChild<QPushButton*>("Command1")->click();
            else
                dialog.close();
            EXPECT_EQ(dialog.rangeTexts().ymax, "99");
        } else if (leave == std::string("esc")) {
            pressKey(ymax, Qt::Key_Escape);
            EXPECT_EQ(dialog.rangeTexts().ymax, "10");
        } else {
            dialog.hide();
            dialog.setFieldsEnabled(false);
            dialog.setFieldsEnabled(true);
        }
        EXPECT_FALSE(dialog.isVisible());
        ymax->setText("10");
    }
    // A draw while it is open gives the focus back to the field it left.
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ymax->setFocus();
    dialog.setFieldsEnabled(false);
    dialog.setFieldsEnabled(true);
    EXPECT_EQ(QApplication::focusWidget(), ymax);
    dialog.hide();
}

TEST_F(ScreenReaderWidgets, ProgressBarIsNamedAndSaysItsPercent) {
    PlotSurfaceWidget bar(PlotSurfaceWidget::progressBarLook(Qt::gray));
    ProgressMeter meter(bar);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&bar);
    ASSERT_NE(iface, nullptr);
    ASSERT_NE(iface->valueInterface(), nullptr);
    EXPECT_EQ(iface->role(), QAccessible::ProgressBar);
    EXPECT_EQ(iface->text(QAccessible::Name), "Avanzamento");
    EXPECT_EQ(iface->valueInterface()->maximumValue().toInt(), 100);
    // column in twips -> percent; a clear starts again
    for (const auto& [column, percent] : {std::pair(0.0f, 0), std::pair(1668.75f, 25),
                                          std::pair(6675.0f, 100), std::pair(-1.0f, 0)}) {
        if (column < 0)
            meter.Cls();
        else
            meter.PSet(column, 10, 9);
        EXPECT_EQ(iface->valueInterface()->currentValue().toInt(), percent) << column;
        EXPECT_EQ(iface->text(QAccessible::Value), QString::number(percent) + "%");
    }
}

TEST_F(ScreenReaderWidgets, CheckableEntriesSayTheyCanBeCheckedAndWhetherTheyAre) {
    QWidget owner;
    QMenuBar bar(&owner);
    MainMenu menu(&bar, &owner);
    // entry, its name unchecked (empty: Qt's own entry)
    const std::pair<QAction*, const char*> entries[] = {
        {menu.GrigliaM, "Stampa Griglia, non spuntata"},
        {menu.funzione, "Funzione, non spuntata"},
        {menu.colours.at(1), "Azzurro, non spuntata"},
        {menu.disegna, ""}};
    for (const auto& [entry, unchecked] : entries) {
        SCOPED_TRACE(entry->objectName().toStdString());
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(entry);
        if (!*unchecked) { // Qt's own, made by the menu when it lists it
            EXPECT_EQ(iface, nullptr);
            continue;
        }
        ASSERT_NE(iface, nullptr);
        EXPECT_EQ(iface->role(), QAccessible::MenuItem);
        EXPECT_TRUE(iface->state().checkable);
        for (int turn = 0; turn < 2; ++turn) {
            EXPECT_EQ(iface->state().checked, entry->isChecked());
            EXPECT_EQ(iface->text(QAccessible::Name),
                      entry->isChecked() ? entry->text().remove('&') : QString(unchecked));
            iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        }
        // Its menu finds it among its children, as a screen reader checks.
        QAccessibleInterface* parent = iface->parent();
        EXPECT_EQ(parent->object(), entry->associatedObjects().constFirst());
        EXPECT_EQ(parent->child(parent->indexOfChild(iface)), iface);
    }
}

TEST_F(ScreenReaderWidgets, HelpTextHasACaretThatTheKeysMoveLineByLine) {
    HelpWindow* help = HelpWindow::showSingle(nullptr);
    QApplication::setActiveWindow(help);
    QTextBrowser* text = help->browser();
    text->setFocus();
    EXPECT_EQ(text->textCursor().blockNumber(), 0);
    pressKey(text, Qt::Key_Down);
    pressKey(text, Qt::Key_Down);
    EXPECT_GT(text->textCursor().blockNumber(), 0);
    pressKey(text, Qt::Key_End, "", Qt::ControlModifier);
    EXPECT_TRUE(text->textCursor().atEnd());
}

TEST_F(ScreenReaderWidgets, AboutBoxReadsItsTextsAndTabAndEnterOpenItsLinks) {
    platform::testing::FakeShell<> shell;
    QWidget owner;
    AboutBox* box = AboutBox::showSingle(&owner, shell.services);
    QApplication::setActiveWindow(box);
    const auto name = [box](const char* label) {
        return QAccessible::queryAccessibleInterface(box->findChild<QLabel*>(label))
            ->text(QAccessible::Name);
    };
    // Three words at least each: a screen reader reads such loose labels.
    EXPECT_EQ(name("lblVersion"), AboutBox::versionText() + " di " CURVALIA_TITLE);
    EXPECT_EQ(name("Label1"), QString("Indirizzo e-mail: ") + AboutBox::kEmail);
    EXPECT_EQ(name("Label2"), QString("Indirizzo del sito: ") + AboutBox::kWebPage);

    QStringList reached;
    for (int tab = 0; tab < 3; ++tab) {
        pressKey(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(reached, (QStringList{"cmdSysInfo", "Label1", "Label2"}));
    pressKey(QApplication::focusWidget(), Qt::Key_Return, "\r");
    pressKey(QApplication::focusWidget(), Qt::Key_Backtab, "", Qt::ShiftModifier);
    pressKey(QApplication::focusWidget(), Qt::Key_Return, "\r");
    const std::string mail = std::string("mailto:") + AboutBox::kEmail, web = AboutBox::kWebPage;
    EXPECT_EQ(shell.opener.opened, (std::vector<std::string>{web, mail, web}));
    EXPECT_TRUE(box->findChild<QLabel*>("Label1")->font().underline()); // where the focus is
    EXPECT_TRUE(box->isVisible()); // Enter on a link is not the OK button's
}

} // namespace
} // namespace curvalia::ui
