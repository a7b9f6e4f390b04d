// Where points land on the plot surface, at device pixel ratio 1 and 2 (ctest
// runs the binary once more with QT_SCALE_FACTOR=2 for the *AtRatio2 suites;
// unscaled, they skip themselves). Saving and copying the plot: the PNG holds
// the surface's pixels, the SVG one square per point drawn (or the pixels,
// past the record's bound), and every failed save names its cause and leaves
// no file behind.
#include "plot/Palette.h"
#include "plot/PointRecord.h"
#include "support/qt_main_input_support.h"
#include "ui/plotview/PlotExporter.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <limits>
#include <random>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;
using plot::QBColorArgb;

QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xFF000000u;
}

int litPixels(const QImage& image) {
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            lit += at(image, x, y) != QBColorArgb(0);
    return lit;
}

void settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

// At the design size and larger: pixel floor(X * (width - 1) / 6675), and
// likewise down; pixel -1: clipped.
TEST(PlotSurfacePixels, OnePixelPointsLandWhereTheMappingPutsThemOrAreClipped) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const QSize design(446, 310), large(1600, 1000);
    const std::tuple<QSize, float, float, int, int> cases[] = {
        {design, 0.f, 0.f, 0, 0},           {design, 14.9f, 14.9f, 0, 0},
        {design, 15.f, 15.f, 1, 1},         {design, 6689.9f, 4649.9f, 445, 309},
        {design, 6690.f, 10.f, -1, -1},     {design, 10.f, 4650.f, -1, -1},
        {design, -0.01f, 10.f, -1, -1},     {design, 10.f, -7.f, -1, -1},
        {design, nan, 10.f, -1, -1},        {design, 1e30f, 1e30f, -1, -1},
        {large, 6675.f, 4635.f, 1599, 999}, {large, 3337.5f, 2317.5f, 799, 499},
        {large, 100.f, 4000.f, 23, 862}};
    PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
    ASSERT_EQ(graph.image().devicePixelRatio(), 1.0);
    for (const auto& [size, x, y, px, py] : cases) {
        SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
        graph.setDrawingSize(size);
        graph.Cls();
        graph.PSet(x, y, 10);
        EXPECT_EQ(litPixels(graph.image()), px < 0 ? 0 : 1);
        if (px >= 0) {
            EXPECT_EQ(std::floor(graph.mapping().pixelX(x)), px);
            EXPECT_EQ(std::floor(graph.mapping().pixelY(y)), py);
            EXPECT_EQ(at(graph.image(), px, py), QBColorArgb(10));
        }
    }
}

TEST(PlotSurfacePixels, AnEvenWidthDotReachesOneFurtherAfterThanBefore) {
    PlotSurfaceWidget bar(PlotSurfaceWidget::progressBarLook(QColor(240, 240, 240)));
    bar.setDrawWidth(10);
    bar.PSet(1500, 10, 9); // pixel (100, 0): 4 before, 5 after, clipped to the bar's 5 rows
    for (int x = 95; x <= 106; ++x)
        EXPECT_EQ(at(bar.image(), x, 0) == QBColorArgb(9), x >= 96 && x <= 105) << x;
    EXPECT_EQ(at(bar.image(), 100, bar.image().height() - 1), QBColorArgb(9));
}

TEST(PlotSurfacePixels, EachPixelShowsTheLastDotSetOverItAmongManyRepeats) {
    // A few pixels and colours, mostly single pixels with some wider dots
    // and clearings: the repeats the surface skips must never leave a stale colour.
    PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
    QImage expected = graph.image().copy();
    std::mt19937 random(5);
    for (int i = 0; i < 20000; ++i) {
        const int width = random() % 5 == 0 ? 3 : 1;
        const int px = 10 + static_cast<int>(random() % 3),
                  py = 20 + static_cast<int>(random() % 2);
        const int colour = 9 + static_cast<int>(random() % 4);
        graph.setDrawWidth(width);
        graph.PSet(static_cast<float>(px * 15 + 7), static_cast<float>(py * 15 + 7), colour);
        for (int dy = 0; dy < width; ++dy)
            for (int dx = 0; dx < width; ++dx)
                expected.setPixel(px - width / 2 + dx, py - width / 2 + dy, QBColorArgb(colour));
        if (i % 1000 == 999) {
            graph.Cls();
            expected.fill(QBColorArgb(0));
        }
        for (int y = 18; y <= 23; ++y)
            for (int x = 8; x <= 14; ++x)
                ASSERT_EQ(at(graph.image(), x, y), at(expected, x, y)) << "dot " << i;
    }
}

// The SVG drawn onto a magenta image of size pixels, so that anything it
// fails to cover shows.
// Single points, points covering others in another colour, thick ticks on
// and over the edges, and a point far outside.
void drawPattern(PlotSurfaceWidget& surface) {
    for (int i = 0; i < 400; ++i)
        surface.PSet(static_cast<float>(i * 16.5), static_cast<float>(2317.5 + (i % 37) * 30), 10);
    surface.PSet(150, 150, 12);
    surface.PSet(150, 150, 10); // covers the red one
    surface.setDrawWidth(2);
    const std::pair<float, float> ticks[] = {
        {0.f, 2317.5f}, {6675.f, 2317.5f}, {3337.5f, 0.f}, {3337.5f, 4635.f}, {10.f, 4620.f}};
    for (const auto& [x, y] : ticks)
        surface.PSet(x, y, 7);
    surface.setDrawWidth(10);
    surface.PSet(3000, 3000, 9);
    surface.setDrawWidth(1);
    surface.PSet(3000, 3000, 14);
    surface.PSet(1e9f, 5, 15);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(PlotSurfaceAtRatio2, KeepsSharpDotsAcrossHideAndShowAndSavesThem) {
    PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
    graph.show();
    settle();
    if (graph.devicePixelRatioF() != 2.0)
        GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    EXPECT_EQ(graph.image().size(), QSize(892, 620));
    graph.PSet(150, 300, 10);   // logical pixel (10, 20): device 20..21, 40..41
    graph.PSet(6675, 4635, 12); // the frame's far corner is still on the surface
    graph.setDrawWidth(2);
    graph.PSet(1500, 1500, 7); // logical 100..101: device 200..203
    graph.PSet(-1e30f, 5, 15); // far off or not a number: clipped
    graph.PSet(std::numeric_limits<float>::quiet_NaN(), 5, 15);
    for (const bool visible : {false, true}) {
        settle();
        graph.setVisible(visible);
    }
    settle();
    const QImage shown = graph.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(896, 624)); // with a one-pixel frame
    const std::tuple<int, int, int> expectations[] = {
        {20, 40, 10},  {21, 41, 10},  {22, 40, 0},   {19, 40, 0},   {890, 618, 12}, {891, 619, 12},
        {200, 200, 7}, {203, 203, 7}, {204, 200, 0}, {199, 200, 0}, {0, 10, 0}};
    for (const auto& [x, y, colour] : expectations) {
        EXPECT_EQ(at(graph.image(), x, y), QBColorArgb(colour)) << x << "," << y;
        EXPECT_EQ(at(shown, x + 2, y + 2), QBColorArgb(colour)) << x << "," << y;
    }

    // Saved, the PNG holds the device pixels and the SVG renders to them.
    drawPattern(graph);
    QTemporaryDir dir;
    ASSERT_EQ(savePlot(graph, dir.filePath("grafico.png")), QString());
    EXPECT_TRUE(samePixels(QImage(dir.filePath("grafico.png")), graph.image()));
    const QByteArray svg = plotSvg(graph);
    EXPECT_TRUE(svg.contains("width=\"446\" height=\"310\""));
    EXPECT_TRUE(samePixels(renderSvg(svg, QSize(892, 620)), graph.image()));
}

TEST(PlotExport, SvgHasOneSquarePerPointAndRendersToTheSurfacePixels) {
    PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
    drawPattern(graph);
    const QByteArray svg = plotSvg(graph);
    EXPECT_EQ(QSvgRenderer(svg).defaultSize(), QSize(446, 310));
    // Squares, not an image; the red point under a green one is left out.
    EXPECT_LE(svg.count("<rect "), static_cast<qsizetype>(graph.pointRecord().size()) + 1);
    EXPECT_GE(svg.count("<rect "), 400);
    EXPECT_FALSE(svg.contains("#ff0000"));
    EXPECT_TRUE(samePixels(renderSvg(svg, QSize(446, 310)), graph.image()));

    graph.Cls();
    EXPECT_TRUE(graph.pointRecord().empty());
    EXPECT_EQ(plotSvg(graph).count("<rect "), 1);
}

TEST(PlotExport, PastTheBoundTheSvgHoldsThePixelImage) {
    PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
    // Three pixels in turn, so that no point repeats one of the two before it.
    for (std::size_t i = 0; i <= plot::PointRecord::kMaxPoints; ++i)
        graph.PSet(150.f * static_cast<float>(i % 3), 1500, 10 + static_cast<int>(i % 5));
    const plot::PointRecord& record = graph.pointRecord();
    ASSERT_TRUE(record.overflowed());
    EXPECT_EQ(record.memoryBytes(), 0u);
    const QByteArray svg = plotSvg(graph);
    EXPECT_TRUE(svg.contains("data:image/png;base64,"));
    EXPECT_EQ(svg.count("<rect "), 1);
    EXPECT_TRUE(samePixels(renderSvg(svg, QSize(446, 310)), graph.image()));
    graph.Cls();
    EXPECT_FALSE(record.overflowed());
}

TEST(PointRecord, KeepsPointsAndAxesInOrderAndSkipsOnlyTheSamePointAgain) {
    plot::PointRecord record;
    record.addPoint(3.5f, 4, 10, 1);
    record.addPoint(3.5f, 4, 10, 1); // the same again: nothing new
    record.addPoint(3.5f, 4, 12, 1);
    record.addAxes({-1, 1, -2, 2, -1});
    record.addPoint(3.5f, 4, 12, 2);
    record.addPoint(3.5f, 4, 12, 2);
    std::string order;
    record.forEach(
        [&](const plot::PointRecord::Point& p) {
            order += std::to_string(p.colour) + "/" + std::to_string(p.penWidth) + " ";
            EXPECT_EQ(p.xTwips, 3.5f);
        },
        [&](const plot::PointRecord::Line&) { order += "line "; },
        [&](const plot::AxesCall& c) {
            order += "axes ";
            EXPECT_EQ(c, (plot::AxesCall{-1, 1, -2, 2, -1}));
        });
    EXPECT_EQ(order, "10/1 12/1 axes 12/2 ");
    EXPECT_EQ(record.size(), 4u);
    // A sweep announced as more than fits is not recorded at all.
    record.expect(plot::PointRecord::kMaxPoints - 4);
    EXPECT_FALSE(record.overflowed());
    record.expect(plot::PointRecord::kMaxPoints - 3);
    EXPECT_TRUE(record.overflowed());
    EXPECT_EQ(record.memoryBytes(), 0u);
}

// While it lives, this thread's file access has the permissions of an
// ordinary user (so that a read-only folder is read-only for root too), or
// files bigger than 64 bytes cannot be written.
struct SaveCondition {
    enum Kind { Plain, OrdinaryUser, SmallFiles };
    explicit SaveCondition(Kind kind) {
        if (kind == OrdinaryUser && geteuid() == 0)
            previousUser = setfsuid(65534);
        if ((limited = kind == SmallFiles)) {
            getrlimit(RLIMIT_FSIZE, &previousLimit);
            oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            const rlimit lowered{64, previousLimit.rlim_max};
            setrlimit(RLIMIT_FSIZE, &lowered);
        }
    }
    ~SaveCondition() {
        if (previousUser >= 0)
            setfsuid(static_cast<uid_t>(previousUser));
        if (limited) {
            setrlimit(RLIMIT_FSIZE, &previousLimit);
            std::signal(SIGXFSZ, oldHandler);
        }
    }
    int previousUser = -1;
    bool limited = false;
    rlimit previousLimit{};
    void (*oldHandler)(int) = nullptr;
};

TEST(PlotExport, AFailedSaveSaysWhyAndLeavesNoFileBehind) {
    PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
    drawPattern(graph);
    QTemporaryDir temp;
    const QString root = temp.path();
    const QString prefix = QStringLiteral("Impossibile salvare il grafico: ");
    QDir(root).mkdir("sola-lettura");
    QFile::setPermissions(root + "/sola-lettura",
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    QDir(root).mkdir("cartella.svg");
    QFile old(root + "/vecchio.png");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("vecchio contenuto");
    old.close();

    const struct {
        const char* what;
        QString path;
        QString message;
        SaveCondition::Kind condition = SaveCondition::Plain;
    } cases[] = {
        {"missing folder", root + "/manca/grafico.png",
         prefix + "la cartella \"" + root + "/manca\" non esiste."},
        {"read-only folder", root + "/sola-lettura/grafico.png",
         prefix + "non si hanno i permessi per scrivere nella cartella \"" + root +
             "/sola-lettura\".",
         SaveCondition::OrdinaryUser},
        {"a folder under the name", root + "/cartella.svg",
         prefix + "\"" + root + "/cartella.svg\" " + QString::fromUtf8("\xC3\xA8") +
             " una cartella."},
        {"write fails half-way, over an existing file", root + "/vecchio.png",
         prefix + "il file supera la dimensione consentita.", SaveCondition::SmallFiles},
        {"no image suffix", root + "/grafico.jpg",
         prefix + "il nome del file deve terminare con .png, con .svg oppure con .pdf."},
    };
    for (const auto& c : cases) {
        const QString message = [&] {
            const SaveCondition condition(c.condition);
            return savePlot(graph, c.path);
        }();
        EXPECT_EQ(message, c.message) << c.what;
        const QFileInfo info(c.path);
        if (info.fileName() == "vecchio.png") {
            EXPECT_EQ(readAll(c.path), "vecchio contenuto") << c.what;
        } else if (!info.isDir()) {
            EXPECT_FALSE(info.exists()) << c.what;
        }
    }
    for (const QString& folder : {root, root + "/sola-lettura"})
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System),
                  folder == root ? QStringList{"vecchio.png"} : QStringList{})
            << folder.toStdString();
}

} // namespace
} // namespace curvalia::ui
