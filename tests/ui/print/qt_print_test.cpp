// The printed page, read back as poppler renders it: the curve where the
// page's scale puts it, the text as text, the widths on paper; the print
// entry, its key and its refusals; PDF through "Salva grafico...".
#include "support/qt_main_input_support.h"
#include "ui/plotview/PlotActions.h"
#include "ui/print/PagePainterSurface.h"
#include "ui/print/PrintActions.h"
#include "ui/windows/AreaDialog.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

constexpr int kDpi = 300;
constexpr double kPixelsPerMm = kDpi / 25.4;

// Runs a poppler tool; a missing one fails the test.
QByteArray runPoppler(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << tool.toStdString() << " did not run";
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

QImage renderPdf(const QString& pdf) {
    const QString stem = pdf + QStringLiteral("-page");
    runPoppler("pdftoppm", {"-r", QString::number(kDpi), "-png", "-singlefile", pdf, stem});
    return QImage(stem + ".png").convertToFormat(QImage::Format_RGB32);
}

bool isCurve(QRgb p) {
    return qGreen(p) > qRed(p) + 60 && qGreen(p) > qBlue(p) + 60;
}
bool isAxis(QRgb p) {
    return qGray(p) < 128 && std::abs(qRed(p) - qGreen(p)) < 20 &&
           std::abs(qRed(p) - qBlue(p)) < 20;
}

// The row or column holding the most axis pixels, and how far they reach
// along it (the curve crosses the axes and breaks them), in pixels.
struct AxisLine {
    int at = -1, count = 0, extent = 0;
};
AxisLine findAxis(const QImage& image, bool horizontal) {
    AxisLine best;
    const int lines = horizontal ? image.height() : image.width();
    const int along = horizontal ? image.width() : image.height();
    for (int i = 0; i < lines; ++i) {
        int count = 0, first = -1, last = -1;
        for (int j = 0; j < along; ++j) {
            if (isAxis(horizontal ? image.pixel(j, i) : image.pixel(i, j))) {
                ++count;
                first = first < 0 ? j : first;
                last = j;
            }
        }
        if (count > best.count)
            best = {i, count, last - first + 1};
    }
    return best;
}

struct PrintTest : MainWindowRig {
    PrintTest() {
        activate();
        printing().showError = [this](const QString& text) { shown = text; };
        printing().askFit = [this](const QString& question) {
            asked = question;
            return fitWhenAsked;
        };
        printing().askPrinter = [this](QPrinter& printer, PageOptions& options) {
            ++dialogs;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdfPath);
            printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                              QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
            options = chosen;
            return true;
        };
    }
    PrintActions& printing() { return *window.findChild<PrintActions*>("printActions"); }
    void drawExpression(const char* text, plot::RangeTexts range = {"-5", "5", "-2", "2", "0.01"}) {
        window.areaDialog()->setRangeTexts(range);
        fx()->setText(QString::fromLatin1(text));
        pressButton("penna");
    }

    QTemporaryDir folder;
    QString pdfPath = folder.filePath("pagina.pdf");
    PageOptions chosen{PageScale::Centimetre, plot::Background::White};
    QString shown, asked;
    bool fitWhenAsked = false;
    int dialogs = 0;
};

TEST_F(PrintTest, AtOneCentimetreTheCurveLiesWhereTheScalePutsIt) {
    drawExpression("sin(x)");
    printing().print();
    ASSERT_TRUE(shown.isEmpty()) << shown.toStdString();
    const QImage page = renderPdf(pdfPath);
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(qGray(page.pixel(5, 5)), 255); // white paper
    const AxisLine xAxis = findAxis(page, true), yAxis = findAxis(page, false);
    // -5..5 and -2..2 at one unit a centimetre.
    EXPECT_NEAR(xAxis.extent / kPixelsPerMm, 100, 0.5);
    EXPECT_NEAR(yAxis.extent / kPixelsPerMm, 40, 0.5);
    // Within 2.5 cm of the x axis: the legend above is green too.
    const int reach = static_cast<int>(25 * kPixelsPerMm);
    int columns = 0, first = page.width(), last = -1;
    for (int col = 0; col < page.width(); ++col) {
        int top = -1, bottom = -1;
        for (int row = xAxis.at - reach; row <= xAxis.at + reach; ++row) {
            if (isCurve(page.pixel(col, row))) {
                top = top < 0 ? row : top;
                bottom = row;
            }
        }
        if (top < 0)
            continue;
        ++columns;
        first = std::min(first, col), last = std::max(last, col);
        const double x = (col + 0.5 - (yAxis.at + 0.5)) / kPixelsPerMm / 10;
        const double rowMm = ((top + bottom + 1) / 2.0 - (xAxis.at + 0.5)) / kPixelsPerMm;
        EXPECT_NEAR(rowMm, -10 * std::sin(x), 0.5) << "x = " << x;
    }
    EXPECT_GT(columns, 1000);
    // The curve runs from x = -5 to x = 5: 5 cm either side of the y axis.
    EXPECT_NEAR((yAxis.at - first) / kPixelsPerMm, 50, 0.5);
    EXPECT_NEAR((last - yAxis.at) / kPixelsPerMm, 50, 0.5);
}

TEST_F(PrintTest, TitleAndLegendAreTextInThePdfOnEitherBackground) {
    drawExpression("sin(x)");
    child<QAction>("noncancellare")->trigger();
    child<QAction>("derpri")->setChecked(true);
    drawExpression("cos(x)");
    chosen.background = plot::Background::Black;
    printing().print();
    const QString text = QString::fromUtf8(runPoppler("pdftotext", {pdfPath, "-"}));
    EXPECT_TRUE(text.contains("sin(x), cos(x)")) << text.toStdString();
    EXPECT_TRUE(text.contains("cos(x)'")) << text.toStdString();
    EXPECT_EQ(qGray(renderPdf(pdfPath).pixel(5, 5)), 0); // the paper kept black
}

TEST_F(PrintTest, AViewTooLargeForOneCentimetreIsFittedOrNotPrinted) {
    drawExpression("sin(x)", {"-10", "10", "-10", "10", "0.01"});
    for (const bool fit : {false, true}) {
        fitWhenAsked = fit;
        asked.clear();
        printing().print();
        EXPECT_TRUE(asked.startsWith(
            QString::fromUtf8("La vista non entra nella pagina a 1 unit\xC3\xA0 = 1 cm: servono "
                              "20,0 x 20,0 cm")))
            << asked.toStdString();
        EXPECT_EQ(QFile::exists(pdfPath), fit);
    }
    // Fitted in the plot's proportions: the printable width, 190 mm.
    EXPECT_NEAR(findAxis(renderPdf(pdfPath), true).extent / kPixelsPerMm, 190, 0.5);
}

TEST_F(PrintTest, WidthsOnPaperFollowTheThickness) {
    const struct {
        int thickness;
        bool axes;
        double mm;
    } rows[] = {{1, false, 0.3}, {2, false, 0.3 + 0.7 / 3}, {4, false, 1.0}, {1, true, 0.2}};
    for (const auto& r : rows) {
        // 100 pixels a millimetre; the frame at 10 x 10 cm.
        QImage image(1000, 1000, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(100 / kPointsPerMm, 100 / kPointsPerMm);
        PagePainterSurface surface(painter, QRectF(0, 0, 10 * kPointsPerMm, 10 * kPointsPerMm),
                                   plot::Background::White);
        if (r.axes)
            surface.axesBegin({});
        surface.setDrawWidth(r.thickness);
        surface.PSet(plot::PlotWidth / 2, plot::PlotHeight / 2, 15);
        surface.flush();
        painter.end();
        int width = 0;
        for (int x = 0; x < image.width(); ++x)
            width += qGray(image.pixel(x, 500)) < 128;
        EXPECT_NEAR(width / 100.0, r.mm, 0.02) << r.thickness << (r.axes ? " axes" : "");
    }
}

TEST_F(PrintTest, CtrlPPrintsFromTheExpressionBoxButNotDuringADraw) {
    const QList<QAction*> entries = child<QMenu>("menu")->actions();
    const auto at = [&](const char* name) { return entries.indexOf(child<QAction>(name)); };
    EXPECT_EQ(at("stampa"), at("salvagrafico") + 1);
    EXPECT_EQ(child<QAction>("stampa")->text(), "Stam&pa...");
    drawExpression("x");
    fx()->setFocus();
    pressKey(fx(), Qt::Key_P, "", Qt::ControlModifier);
    EXPECT_EQ(dialogs, 1);

    child<QAction>("disegnoVeloce")->trigger(); // a draw that yields
    duringDraw([&] {
        EXPECT_FALSE(child<QAction>("stampa")->isEnabled());
        printing().print();
        child<QAction>("stop")->trigger();
    });
    drawExpression("x", {"-10", "10", "-10", "10", "0.001"});
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(child<QAction>("stampa")->isEnabled());
}

TEST_F(PrintTest, SaveGraphWritesThePageAsPdfWholeOrNotAtAll) {
    auto* actions = window.findChild<PlotActions*>("plotActions");
    QString failure;
    actions->showError = [&](const QString& text) { failure = text; };
    const QString path = folder.filePath("grafico.pdf");
    actions->askPath = [&] { return path; };
    actions->save(); // nothing drawn yet: no page, no file
    EXPECT_FALSE(failure.isEmpty());
    EXPECT_FALSE(QFile::exists(path));

    drawExpression("sin(x)");
    failure.clear();
    actions->save();
    EXPECT_TRUE(failure.isEmpty()) << failure.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));
    // Written beside under another name, then renamed: nothing else is left.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"grafico.pdf"});
    const QString text = QString::fromUtf8(runPoppler("pdftotext", {path, "-"}));
    EXPECT_TRUE(text.contains("sin(x)")) << text.toStdString();
}

} // namespace
} // namespace curvalia::ui
