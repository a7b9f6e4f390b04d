#include "ui/plotview/PlotExporter.h"

#include "platform/AtomicFile.h"
#include "plot/Palette.h"
#include "ui/plotview/PlotOverlay.h"
#include "ui/plotview/PlotSurfaceWidget.h"
#include "ui/plotview/SvgCurvePaths.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <string>
#include <vector>

namespace curvalia::ui {

namespace {

void append(std::string& out, int value) {
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, end);
}

// A palette colour as the surface shows it on its background.
void appendColour(std::string& out, int paletteColour, plot::Background background) {
    static constexpr char kHex[] = "0123456789abcdef";
    const plot::Rgb c = plot::shownColour(paletteColour, background);
    out += '#';
    for (const std::uint8_t part : {c.r, c.g, c.b}) {
        out += kHex[part >> 4];
        out += kHex[part & 15];
    }
}

void appendColour(std::string& out, const QColor& colour) {
    out += colour.name(QColor::HexRgb).toStdString();
}

// width="..." height="..."
void appendSize(std::string& out, int width, int height) {
    out += "width=\"";
    append(out, width);
    out += "\" height=\"";
    append(out, height);
    out += '"';
}

// A square; in its own colour when paletteColour is given, else in its group's.
void appendRect(std::string& out, int left, int top, int width, int height, int paletteColour = -1,
                plot::Background background = plot::Background::Black) {
    out += "<rect ";
    if (paletteColour >= 0) {
        out += "fill=\"";
        appendColour(out, paletteColour, background);
        out += "\" ";
    }
    out += "x=\"";
    append(out, left);
    out += "\" y=\"";
    append(out, top);
    out += "\" ";
    appendSize(out, width, height);
    out += "/>\n";
}

// A dot as the surface sets it: a square of whole logical pixels.
struct PixelDot {
    int left, top, width, height;
    int colour;
};

// Replays a point record at the surface's present size and hands each dot
// to a callback, placed as the surface places it (dotCorner).
template <class F> class DotCollector final : public plot::Surface {
  public:
    DotCollector(const PlotMapping& mapping, F onDot) : mapping_(mapping), onDot_(onDot) {}
    void PSet(float xTwips, float yTwips, int paletteColour) override {
        const std::optional<QPoint> corner =
            dotCorner(mapping_.pixelX(xTwips), mapping_.pixelY(yTwips), width_);
        if (corner)
            onDot_(PixelDot{corner->x(), corner->y(), width_, width_, paletteColour & 15});
    }
    // The curves' segments are paths of their own (SvgCurvePaths); grid
    // lines, drawn by the axes, are one long dot each, as the surface sets
    // them pixel by pixel along the row or column.
    void Line(float x1, float y1, float x2, float y2, int paletteColour) override {
        if (!inAxes_)
            return;
        if (x1 != x2 && y1 != y2) {
            plot::Surface::Line(x1, y1, x2, y2, paletteColour);
            return;
        }
        const std::optional<QPoint> a =
            dotCorner(mapping_.pixelX(std::min(x1, x2)), mapping_.pixelY(std::min(y1, y2)), width_);
        const std::optional<QPoint> b =
            dotCorner(mapping_.pixelX(std::max(x1, x2)), mapping_.pixelY(std::max(y1, y2)), width_);
        if (a && b)
            onDot_(PixelDot{a->x(), a->y(), b->x() - a->x() + width_, b->y() - a->y() + width_,
                            paletteColour & 15});
    }
    void axesBegin(const plot::AxesCall&) override { inAxes_ = true; }
    void axesEnd() override { inAxes_ = false; }
    void Cls() override {}
    void setDrawWidth(int pixels) override { width_ = std::max(1, pixels); }
    double pixelTwipsX() const override { return mapping_.twipsPerPixelX(); }
    double pixelTwipsY() const override { return mapping_.twipsPerPixelY(); }

  private:
    const PlotMapping& mapping_;
    F onDot_;
    int width_ = 1;
    bool inAxes_ = false;
};

template <class F> void forEachDot(const PlotSurfaceWidget& surface, F onDot) {
    DotCollector<F> collector(surface.mapping(), onDot);
    surface.pointRecord().replay(collector);
}

// The recorded dots as squares. A one-pixel dot that a later dot covers
// shows nothing and is left out; the one-pixel dots that show are then
// disjoint, so they can be grouped by colour, after the wider dots (in the
// order drawn), which they always lie over. The picture is the same as
// drawing every dot in order, and the file stays small however many points
// the plot has: at most one square per pixel. Dots at the ends of segments
// are left to the segments' strokes.
void appendDots(std::string& out, const PlotSurfaceWidget& surface, int width, int height,
                const SvgCurvePaths& paths) {
    constexpr std::uint8_t kNone = 255, kUnderWide = 254;
    const plot::Background background = surface.background();
    std::vector<std::uint8_t> top(static_cast<std::size_t>(width) * height, kNone);
    forEachDot(surface, [&](const PixelDot& dot) {
        if (!paths.empty() && paths.covers(dot.left, dot.top, dot.width, dot.colour))
            return;
        const int left = std::max(0, dot.left), upper = std::max(0, dot.top);
        const int right = std::min(width, dot.left + dot.width);
        const int bottom = std::min(height, dot.top + dot.height);
        if (right <= left || bottom <= upper)
            return; // off the surface
        const bool single = right - left == 1 && bottom - upper == 1;
        if (!single)
            appendRect(out, left, upper, right - left, bottom - upper, dot.colour, background);
        for (int y = upper; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                top[static_cast<std::size_t>(y) * width + x] =
                    single ? static_cast<std::uint8_t>(dot.colour) : kUnderWide;
    });
    for (int colour = 0; colour < 16; ++colour) {
        bool opened = false;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (top[static_cast<std::size_t>(y) * width + x] != colour)
                    continue;
                if (!opened) {
                    out += "<g fill=\"";
                    appendColour(out, colour, background);
                    out += "\">\n";
                    opened = true;
                }
                appendRect(out, x, y, 1, 1);
            }
        }
        if (opened)
            out += "</g>\n";
    }
}

} // namespace

std::optional<ImageFormat> imageFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return ImageFormat::Png;
    if (suffix == QLatin1String("svg"))
        return ImageFormat::Svg;
    if (suffix == QLatin1String("pdf"))
        return ImageFormat::Pdf;
    return std::nullopt;
}

QImage plotImage(const PlotSurfaceWidget& surface) {
    const PlotOverlay* overlay = surface.overlay();
    if (!overlay || !overlay->hasExportedLayers())
        return surface.image();
    QImage image = surface.image().copy();
    QPainter painter(&image);
    overlay->paintExported(painter);
    return image;
}

namespace {

QByteArray pngOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return bytes;
}

} // namespace

QByteArray plotPng(const PlotSurfaceWidget& surface) {
    return pngOf(plotImage(surface));
}

QByteArray plotSvg(const PlotSurfaceWidget& surface) {
    const PlotSurfaceWidget::Look& look = surface.look();
    const int width = surface.mapping().pixels().width();
    const int height = surface.mapping().pixels().height();
    const plot::PointRecord& record = surface.pointRecord();

    std::string out;
    out.reserve(4096 + std::min<std::size_t>(record.size(), width * height) * 44);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" "
           "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" ";
    appendSize(out, width, height);
    out += " viewBox=\"0 0 ";
    append(out, width);
    out += ' ';
    append(out, height);
    out += "\" shape-rendering=\"crispEdges\">\n<title>" CURVALIA_TITLE "</title>\n<rect ";
    appendSize(out, width, height);
    out += " fill=\"";
    appendColour(out, look.background);
    out += "\"/>\n";

    if (record.overflowed()) {
        // Too many points for vector graphics: the pixels themselves.
        out += "<image ";
        appendSize(out, width, height);
        out += " preserveAspectRatio=\"none\" xlink:href=\"data:image/png;base64,";
        out += pngOf(surface.image()).toBase64().toStdString();
        out += "\"/>\n";
    } else {
        const SvgCurvePaths paths(surface.pointRecord(), surface.mapping(),
                                  [&](int colour) { return surface.colourOf(colour); });
        appendDots(out, surface, width, height, paths);
        paths.appendTo(out);
    }
    if (const PlotOverlay* overlay = surface.overlay())
        overlay->appendExportedSvg(out);
    out += "</svg>\n";
    return QByteArray::fromStdString(out);
}

QString saveFailureMessage(const QString& path, int error) {
    return saveFailureMessage(path, error, QStringLiteral("Impossibile salvare il grafico: "));
}

QString saveFailureMessage(const QString& path, int error, const QString& prefix) {
    const QFileInfo info(path);
    const QString folder = QDir::toNativeSeparators(info.absolutePath());
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return prefix + QStringLiteral("la cartella \"%1\" non esiste.").arg(folder);
    case EACCES:
    case EPERM:
        return prefix +
               QStringLiteral("non si hanno i permessi per scrivere nella cartella \"%1\".")
                   .arg(folder);
    case EROFS:
        return prefix + QStringLiteral("la cartella \"%1\" si trova su un disco in sola lettura.")
                            .arg(folder);
    case ENOSPC:
    case EDQUOT:
        return prefix + QString::fromUtf8("lo spazio sul disco \xC3\xA8 esaurito.");
    case EFBIG:
        return prefix + QStringLiteral("il file supera la dimensione consentita.");
    case EISDIR:
        return prefix + QString::fromUtf8("\"%1\" \xC3\xA8 una cartella.")
                            .arg(QDir::toNativeSeparators(info.absoluteFilePath()));
    default:
        return prefix + QStringLiteral("errore di sistema %1 (%2).")
                            .arg(error)
                            .arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}

QString savePlot(const PlotSurfaceWidget& surface, const QString& path,
                 const std::function<QByteArray()>& pdf) {
    const std::optional<ImageFormat> format = imageFormatOf(path);
    if (!format || (*format == ImageFormat::Pdf && !pdf))
        return QStringLiteral("Impossibile salvare il grafico: il nome del file deve terminare "
                              "con .png, con .svg oppure con .pdf.");
    const QByteArray bytes = *format == ImageFormat::Png   ? plotPng(surface)
                             : *format == ImageFormat::Svg ? plotSvg(surface)
                                                           : pdf();
    if (bytes.isEmpty())
        return QString::fromUtf8("Impossibile salvare il grafico: l'immagine non \xC3\xA8 stata "
                                 "preparata.");
    const int error = platform::writeFileAtomically(
        QFile::encodeName(path).toStdString(),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return error ? saveFailureMessage(path, error) : QString();
}

void copyPlotToClipboard(const PlotSurfaceWidget& surface) {
    QGuiApplication::clipboard()->setImage(plotImage(surface));
}

} // namespace curvalia::ui
