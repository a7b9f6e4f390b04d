// The list of functions: its rows follow the model, each control edits the
// model and has the plot drawn again, nothing is changed while a draw runs;
// and the legend that names the curves once the plot shows several.
#include "ui/plotview/AxisNumbers.h"
#include "ui/plotview/CurveLegendLayer.h"
#include "ui/windows/FunctionListWindow.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <cstdlib>

namespace curvalia::ui {
namespace {

using W = FunctionListWindow;

plot::Curve curve(const char* expression, std::int16_t colour, bool f, bool d, bool visible = true,
                  std::optional<std::int16_t> dColour = {}) {
    return {expression, colour, dColour, f, d, visible};
}

// sin(x) with f and f', x^2 hidden with its own f' colour, cos(x) with f' only.
void enterThree(plot::PlotModel& model) {
    model.enter(curve("sin(x)", 10, true, true));
    model.enter(curve("x^2", 9, true, false, false, 14));
    model.enter(curve("cos(x)", 13, false, true));
}

// A curve as "expression, f colour, f' colour, switches on (f, d, v)".
std::string describe(const plot::Curve& c) {
    return c.expression + " " + paletteColourName(c.colour).toStdString() + " " +
           paletteColourName(c.derivativePaletteColour()).toStdString() + " " +
           (c.function ? "f" : "") + (c.derivative ? "d" : "") + (c.visible ? "v" : "");
}

struct ListFixture : ::testing::Test {
    plot::PlotModel model;
    plot::DrawBusy busy;
    int redraws = 0;
    std::optional<std::size_t> modified;
    std::unique_ptr<W> window;

    void SetUp() override {
        enterThree(model);
        window = std::make_unique<W>(
            model, busy,
            W::Callbacks{[this] { ++redraws; }, [this](std::size_t i) { modified = i; }});
    }
    // A row of the table written as describe() writes a curve.
    std::string row(int r) const {
        const auto text = [&](int c) { return window->table()->item(r, c)->text().toStdString(); };
        const auto on = [&](int c, const char* mark) {
            return window->table()->item(r, c)->checkState() == Qt::Checked ? mark : "";
        };
        return text(W::Expression) + " " + text(W::ColourF) + " " + text(W::ColourDerivative) +
               " " + on(W::FunctionOn, "f") + on(W::DerivativeOn, "d") + on(W::Visible, "v");
    }
};

TEST_F(ListFixture, EachControlEditsTheModelAndDrawsAgain) {
    struct Action {
        const char* name;
        int row;
        std::function<void(W&)> act;
        std::optional<int> picked; // what the colour picker answers
        const char* after;         // the curve at row afterwards
        int redraws;
        std::optional<std::size_t> modified = {};
    };
    const auto toggle = [](int column) {
        return [column](W& w) {
            QTableWidgetItem* item = w.table()->item(w.selectedCurve().value(), column);
            item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        };
    };
    const auto click = [](QPushButton* (W::*button)() const) {
        return [button](W& w) { (w.*button)()->click(); };
    };
    const Action actions[] = {
        {"f off", 0, toggle(W::FunctionOn), {}, "sin(x) Verde Rosso dv", 1},
        {"f' on", 1, toggle(W::DerivativeOn), {}, "x^2 Blu Giallo fd", 1},
        {"hide", 2, toggle(W::Visible), {}, "cos(x) Magenta Rosso d", 1},
        {"colour f", 0, click(&W::colourButton), 12, "sin(x) Rosso Rosso fdv", 1},
        {"colour f'", 2, click(&W::derivativeColourButton), 5, "cos(x) Magenta Magenta scuro dv",
         1},
        {"cancelled", 0, click(&W::colourButton), std::nullopt, "sin(x) Verde Rosso fdv", 0},
        {"remove", 1, click(&W::removeButton), {}, "cos(x) Magenta Rosso dv", 1},
        {"modify", 2, click(&W::modifyButton), {}, "cos(x) Magenta Rosso dv", 0, 2}};
    for (const Action& k : actions) {
        SCOPED_TRACE(k.name);
        model = plot::PlotModel();
        redraws = 0;
        modified.reset();
        SetUp();
        const plot::Curve before = model.curves()[k.row];
        window->setColourPicker([&](QWidget*, const QString& title, int current) {
            // It starts from the colour the curve has.
            EXPECT_EQ(current,
                      title == "Colore f" ? before.colour : before.derivativePaletteColour());
            return k.picked;
        });
        window->selectCurve(static_cast<std::size_t>(k.row));
        k.act(*window);
        EXPECT_EQ(describe(model.curves()[k.row]), k.after);
        EXPECT_EQ(redraws, k.redraws);
        EXPECT_EQ(modified, k.modified);
        // The table follows the model, its selection on the same curve.
        ASSERT_EQ(window->table()->rowCount(), static_cast<int>(model.size()));
        for (std::size_t r = 0; r < model.size(); ++r)
            EXPECT_EQ(row(int(r)), describe(model.curves()[r]));
        EXPECT_EQ(window->selectedCurve(),
                  model.size() == 2 ? std::nullopt : std::optional<std::size_t>(k.row));
    }
}

TEST_F(ListFixture, ButtonsNeedASelectedRowAndNoDrawRunning) {
    const auto enabled = [&](bool on) {
        for (QPushButton* b : {window->colourButton(), window->derivativeColourButton(),
                               window->removeButton(), window->modifyButton()})
            EXPECT_EQ(b->isEnabled(), on) << b->text().toStdString();
        EXPECT_EQ(window->table()->isEnabled(), !busy.busy());
    };
    enabled(false);
    window->selectCurve(2);
    enabled(true);
    {
        plot::DrawBusy::Scope drawing(busy);
        enabled(false);
    }
    enabled(true);
    // Another curve goes: the selection stays on its own.
    model.remove(0);
    EXPECT_EQ(window->selectedCurve(), std::optional<std::size_t>(1));
    enabled(true);
}

TEST_F(ListFixture, ControlsAreNamedAndTabbedInOrder) {
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(window->table());
    EXPECT_EQ(table->text(QAccessible::Name), "Elenco funzioni");
    const char* headers[] = {"Colore f", "Colore f'", "Espressione", "f", "f'", "Visibile"};
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(table->tableInterface()->columnDescription(c), headers[c]);
    QAccessibleInterface* cell = table->tableInterface()->cellAt(1, W::Visible);
    EXPECT_TRUE(cell->state().checkable);
    EXPECT_FALSE(cell->state().checked);
    EXPECT_EQ(table->tableInterface()->cellAt(1, W::ColourF)->text(QAccessible::Name), "Blu");

    QWidget* next = window->table();
    for (const char* caption : {"Colore f...", "Colore f'...", "Rimuovi", "Modifica"}) {
        do
            next = next->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus));
        EXPECT_EQ(QAccessible::queryAccessibleInterface(next)->text(QAccessible::Name), caption);
    }
}

// Within what the smoothing of a small text leaves of a colour.
bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 100 && std::abs(a.green() - b.green()) < 100 &&
           std::abs(a.blue() - b.blue()) < 100;
}

TEST(CurveLegend, OneLinePerShownPartInItsColourOnceTwoCurvesShow) {
    plot::PlotModel model;
    const CurveLegendLayer layer(model);
    model.enter(curve("sin(x)", 10, true, true));
    model.enter(curve("hidden", 14, true, true, false));
    EXPECT_FALSE(layer.showing());
    EXPECT_TRUE(
        layoutCurveLegend(model, QSize(446, 310), QFontMetricsF(axisNumberFont())).lines.empty());
    model.enter(curve("x<1 & x>0", 11, false, true, true, 13));
    EXPECT_TRUE(layer.showing());
    const CurveLegend legend =
        layoutCurveLegend(model, QSize(446, 310), QFontMetricsF(axisNumberFont()));
    std::vector<std::pair<QString, int>> lines;
    for (const LegendLine& l : legend.lines)
        lines.emplace_back(l.text, l.colour);
    EXPECT_EQ(lines, (std::vector<std::pair<QString, int>>{
                         {"sin(x)", 10}, {"sin(x)'", 12}, {"x<1 & x>0'", 13}}));

    QImage image(446, 310, QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    layer.paint(painter, PlotMapping());
    painter.end();
    for (const QColor colour : {QColor(0, 255, 0), QColor(255, 0, 0), QColor(255, 0, 255)}) {
        int found = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                found += near(image.pixelColor(x, y), colour) && legend.box.contains(x, y);
        EXPECT_GT(found, 0) << colour.name().toStdString();
    }

    std::string svg;
    layer.appendSvg(svg, PlotMapping());
    EXPECT_NE(svg.find(">x&lt;1 &amp; x&gt;0'</text>"), std::string::npos) << svg;
    EXPECT_EQ(svg.find("x<1"), std::string::npos);
    EXPECT_NE(svg.find("fill=\"#ff00ff\""), std::string::npos);
}

} // namespace
} // namespace curvalia::ui
