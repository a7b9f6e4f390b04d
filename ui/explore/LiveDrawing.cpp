#include "ui/explore/LiveDrawing.h"

#include "ui/explore/CoordinateLabel.h"

#include <QAction>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include <cmath>

namespace curvalia::ui {

namespace {

double samplesAt(const plot::PlotRange& view) {
    if (!plot::stepAdvancesAcross(view.Xmin, view.Xmax, view.Step))
        return 0;
    return std::floor((view.Xmax - view.Xmin) / view.Step) + 1;
}

} // namespace

LiveDrawing::LiveDrawing(Parts parts, QObject* parent)
    : QObject(parent), parts_(std::move(parts)), schedule_(parts_.engine) {
    setObjectName(QStringLiteral("liveDrawing"));
    // Typed edits only: a text the program puts there is not an edit.
    connect(&parts_.fx, &QLineEdit::textEdited, this, &LiveDrawing::edited);
    parts_.draw.busy().listen([self = QPointer<LiveDrawing>(this)](bool busy) {
        if (!self || busy || !self->waiting_)
            return;
        // After the draw has unwound, not from inside its last step.
        QTimer::singleShot(0, self, [self] {
            if (self && self->waiting_ && !self->parts_.draw.busy().busy()) {
                const QString text = *self->waiting_;
                self->waiting_.reset();
                self->apply(text);
            }
        });
    });
}

void LiveDrawing::edited(const QString& text) {
    if (!parts_.entry.isChecked())
        return;
    if (parts_.draw.busy().busy()) {
        waiting_ = text;
        return;
    }
    apply(text);
}

std::optional<std::string> LiveDrawing::refusal(const std::string& expression,
                                                const plot::PlotRange& view) {
    std::string message;
    engine::Engine& engine = parts_.engine;
    const auto sink =
        engine.exchangeStatusSink([&message](std::string_view text) { message = text; });
    const std::int16_t stop = engine.StopRequested;
    engine.emptyArrays();
    bool refused = !engine.CheckExpression(expression);
    if (!refused) {
        // The evaluator's refusal comes at the first sample or not at all.
        schedule_.record(expression);
        refused = schedule_.run(view.Xmin).outcome == engine::SampleOutcome::NothingToReduce;
    }
    engine.StopRequested = stop;
    engine.exchangeStatusSink(sink);
    if (!refused)
        return std::nullopt;
    return message;
}

void LiveDrawing::apply(const QString& text) {
    plot::PlotModel& model = parts_.draw.model();
    std::optional<plot::PlotRange> view = model.view();
    if (!view)
        view = parts_.home();
    if (!view || samplesAt(*view) == 0)
        return; // nowhere to draw: F5 says why
    const std::string expression = engine::toLowerText(text.toStdString());
    if (const auto message = refusal(expression, *view)) {
        parts_.status(*message);
        return;
    }
    parts_.status({});

    const std::optional<std::size_t> edited = model.edited();
    double samples = samplesAt(*view);
    for (const std::size_t i : model.shownCurves())
        samples += i == edited ? 0 : samplesAt(*view);
    if (samples > kMaxSamples) {
        parts_.notes.showNote(QString::fromUtf8(kTooManyNote));
        return;
    }
    // The same text on another curve: that one goes, as a draw replaces it.
    const auto same = model.find(expression);
    if (!edited) {
        model.enter(parts_.newCurve(expression));
    } else if (same != edited) {
        std::size_t index = *edited;
        if (same) {
            model.remove(*same);
            index -= *same < index ? 1 : 0;
        }
        model.edit(index).expression = expression;
        model.edit(index).visible = true;
        model.setEdited(index);
        model.changed();
    }
    parts_.draw.redraw(*view);
    if (parts_.drawn)
        parts_.drawn();
}

} // namespace curvalia::ui
