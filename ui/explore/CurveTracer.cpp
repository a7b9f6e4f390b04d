#include "ui/explore/CurveTracer.h"

#include "calc/ValueWindow.h"
#include "engine/NumberText.h"
#include "layout/NumberWriter.h"

#include <QStringBuilder>

#include <algorithm>

namespace curvalia::ui {

namespace {

// Puts the engine's status sink and StopRequested back as they were.
class BorrowedEngine {
  public:
    explicit BorrowedEngine(engine::Engine& engine)
        : engine_(engine), sink_(engine.exchangeStatusSink({})),
          stopRequested_(engine.StopRequested) {}
    ~BorrowedEngine() {
        engine_.exchangeStatusSink(std::move(sink_));
        engine_.StopRequested = stopRequested_;
    }
    BorrowedEngine(const BorrowedEngine&) = delete;
    BorrowedEngine& operator=(const BorrowedEngine&) = delete;

  private:
    engine::Engine& engine_;
    engine::Engine::StatusSink sink_;
    std::int16_t stopRequested_;
};

QString shownOrUndefined(const std::string& field) {
    if (field.empty() || field == calc::kUndefinedText)
        return QStringLiteral("non definita");
    return QString::fromStdString(field);
}

} // namespace

CurveTracer::CurveTracer(engine::Engine& engine, const plot::DrawCommand& draw)
    : engine_(engine), draw_(draw),
      calculator_(engine, calc::localeNumberText,
                  {[](std::string_view) {}, [] {}, [] { return false; }, {}}) {}

QString CurveTracer::readOutText(const QString& x, const calc::CalcFields& fields) {
    // Joined in one go (QStringBuilder): built on every move of the trace.
    return QStringView(u"x = ") % x % QStringView(u"   f(x) = ") % shownOrUndefined(fields.VY) %
           QStringView(u"   f'(x) = ") % shownOrUndefined(fields.DPrima);
}

QString CurveTracer::spokenText(const QString& readOut, std::optional<double> slope) {
    // The gaps that set the parts apart on screen are pauses in speech.
    QString spoken = readOut;
    spoken.replace(QStringLiteral("   "), QStringLiteral("; "));
    if (!slope)
        return spoken;
    const double shown = calc::floorToDecimals(*slope, 5);
    return spoken % QStringView(u"; ") %
           (shown > 0   ? QStringView(u"cresce")
            : shown < 0 ? QStringView(u"decresce")
                        : QStringView(u"stazionaria"));
}

bool CurveTracer::follow() {
    if (draw_.busy().busy() || !draw_.publishedFrame() || !draw_.publishedRange() ||
        !draw_.lastSweep() || draw_.lastSweep()->samples == 0) {
        point_.reset();
        return false;
    }
    if (followed_ != draw_.drawNumber() || samples_.count() != draw_.lastSweep()->samples) {
        const plot::PlotRange& range = *draw_.publishedRange();
        samples_ = plot::SweepSamples(range.Xmin, range.Step, draw_.lastSweep()->samples);
        followed_ = draw_.drawNumber();
        point_.reset();
        // The curve picked stays picked while it shows and no newer curve
        // has been drawn since.
        const plot::PlotModel& model = draw_.model();
        const auto picked = model.find(traced_);
        const std::string newest = model.empty() ? std::string() : model.curves().back().expression;
        if (!picked || !model.curves()[*picked].shown() || newest != pickedOver_)
            traced_ = draw_.lastSweep()->expression;
    }
    return true;
}

const CurveTracer::Point* CurveTracer::current() const {
    return point_ && point_->draw == draw_.drawNumber() && !draw_.busy().busy() ? &*point_
                                                                                : nullptr;
}

const CurveTracer::Point* CurveTracer::at(double columnTwips) {
    if (!follow())
        return nullptr;
    return select(samples_.nearest(*draw_.publishedFrame(), columnTwips));
}

const CurveTracer::Point* CurveTracer::moveBy(std::int64_t samples) {
    if (!follow())
        return nullptr;
    // With no traced point yet, keys start from the middle of the plot.
    const std::int64_t from =
        point_ ? point_->index : samples_.nearest(*draw_.publishedFrame(), plot::PlotWidth / 2);
    return select(std::clamp<std::int64_t>(from + samples, 0, samples_.count() - 1));
}

const CurveTracer::Point* CurveTracer::first() {
    return follow() ? select(0) : nullptr;
}

const CurveTracer::Point* CurveTracer::last() {
    return follow() ? select(samples_.count() - 1) : nullptr;
}

const CurveTracer::Point* CurveTracer::otherCurve(int direction) {
    if (!follow())
        return nullptr;
    const plot::PlotModel& model = draw_.model();
    const std::vector<std::size_t> shown = model.shownCurves();
    if (shown.size() < 2)
        return point_ ? &*point_ : moveBy(0);
    std::size_t at = 0;
    while (at < shown.size() && model.curves()[shown[at]].expression != traced_)
        ++at;
    const std::size_t n = shown.size();
    const std::size_t next = at == n ? n - 1 : (at + n + (direction < 0 ? n - 1 : 1)) % n;
    const std::int64_t index =
        point_ ? point_->index : samples_.nearest(*draw_.publishedFrame(), plot::PlotWidth / 2);
    traced_ = model.curves()[shown[next]].expression;
    pickedOver_ = model.curves().back().expression;
    point_.reset();
    return select(index);
}

const CurveTracer::Point* CurveTracer::studyPoint(const std::string& expression, double x, double y,
                                                  const QString& name) {
    if (!follow())
        return nullptr;
    const plot::PlotModel& model = draw_.model();
    const auto curve = model.find(expression);
    if (!curve || !model.curves()[*curve].shown())
        return nullptr;
    if (traced_ != expression) {
        traced_ = expression;
        pickedOver_ = model.curves().back().expression;
    }
    const plot::PlotFrame& frame = *draw_.publishedFrame();
    const plot::PlotRange& range = *draw_.publishedRange();
    const auto six = [](double v) {
        return layout::interfaceNumber(v, layout::Digits::significant(6));
    };
    QString readOut = name % QStringView(u": x = ") % six(x) % QStringView(u"   f(x) = ") % six(y);
    if (model.shownCount() > 1)
        readOut.prepend(QString::fromStdString(traced_) + QStringLiteral(": "));
    QString spoken = spokenText(readOut, std::nullopt);
    Point point{followed_,
                samples_.nearest(frame, frame.column(x)),
                x,
                QString::fromStdString(engine::plainNumberText(x, 15)),
                std::move(readOut),
                std::move(spoken),
                {}};
    if (range.Ymin <= y && y <= range.Ymax)
        point.cross = QPointF(frame.column(x), frame.row(y));
    point_ = std::move(point);
    return &*point_;
}

const CurveTracer::Point* CurveTracer::select(std::int64_t index) {
    if (point_ && point_->index == index)
        return &*point_; // the same sample: nothing to compute again
    const double x = samples_.x(index);
    // The text "Valore" is given for this x: the grid's own digits.
    const std::string xText = engine::plainNumberText(x, 15);
    calc::CalcFields fields;
    {
        const BorrowedEngine borrowed(engine_);
        fields = calculator_.calculate(traced_, xText);
    }
    const QString shown = layout::interfaceNumber(x, layout::Digits::decimals(samples_.decimals()));
    QString readOut = readOutText(shown, fields);
    if (draw_.model().shownCount() > 1)
        readOut.prepend(QString::fromStdString(traced_) + QStringLiteral(": "));
    QString spoken = spokenText(readOut, fields.slope);
    Point point{followed_,         index, x, QString::fromStdString(xText), std::move(readOut),
                std::move(spoken), {}};
    const plot::PlotFrame& frame = *draw_.publishedFrame();
    const plot::PlotRange& range = *draw_.publishedRange();
    if (fields.value && range.Ymin <= *fields.value && *fields.value <= range.Ymax)
        point.cross = QPointF(frame.column(x), frame.row(*fields.value));
    point_ = std::move(point);
    return &*point_;
}

} // namespace curvalia::ui
