#include "session/SessionCodec.h"

#include "engine/Engine.h"
#include "plot/ViewZoom.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QString>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace curvalia::session {

namespace {

QString key(const char* name) {
    return QString::fromLatin1(name);
}

QJsonObject objectOf(std::initializer_list<std::pair<const char*, QJsonValue>> entries) {
    QJsonObject object;
    for (const auto& [name, value] : entries)
        object.insert(key(name), value);
    return object;
}

QJsonValue text(const std::string& value) {
    return QString::fromStdString(value);
}

// A refusal carries its reason up through the checks of every section.
struct Refused {
    std::string reason;
};

std::string quoted(const QString& name) {
    return "\"" + name.toStdString() + "\"";
}

// The keys of one object, checked against those it may hold: each one
// there, none besides.
class Fields {
  public:
    Fields(const QJsonObject& object, std::initializer_list<const char*> names) : object_(object) {
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (std::none_of(names.begin(), names.end(),
                             [&](const char* name) { return it.key() == key(name); }))
                throw Refused{"la voce " + quoted(it.key()) + " non è prevista"};
        }
        for (const char* name : names) {
            if (!object.contains(key(name)))
                throw Refused{"manca la voce " + quoted(key(name))};
        }
    }

    QJsonValue value(const char* name) const { return object_.value(key(name)); }
    bool flag(const char* name) const {
        const QJsonValue v = value(name);
        if (!v.isBool())
            throw wrongType(name);
        return v.toBool();
    }
    std::string string(const char* name, qsizetype maxLength) const {
        const QJsonValue v = value(name);
        if (!v.isString())
            throw wrongType(name);
        const QString s = v.toString();
        if (s.size() > maxLength)
            throw Refused{"il testo di " + quoted(key(name)) + " è troppo lungo"};
        return s.toStdString();
    }
    double number(const char* name) const {
        const QJsonValue v = value(name);
        if (!v.isDouble())
            throw wrongType(name);
        const double d = v.toDouble();
        if (!std::isfinite(d))
            throw outOfRange(name);
        return d;
    }
    std::int16_t colour(const char* name) const {
        const double d = number(name);
        if (d != std::floor(d) || d < 0 || d > 15)
            throw outOfRange(name);
        return static_cast<std::int16_t>(d);
    }
    QJsonObject object(const char* name) const {
        const QJsonValue v = value(name);
        if (!v.isObject())
            throw wrongType(name);
        return v.toObject();
    }
    static Refused wrongType(const char* name) {
        return Refused{"la voce " + quoted(key(name)) + " non è del tipo previsto"};
    }
    static Refused outOfRange(const char* name) {
        return Refused{"il valore di " + quoted(key(name)) + " è fuori dai limiti"};
    }

  private:
    const QJsonObject& object_;
};

int checkVersion(const QJsonObject& top) {
    if (top.value(key("formato")).toString() != key(kFormatName))
        throw Refused{"non contiene una sessione di " CURVALIA_TITLE};
    const QJsonValue version = top.value(key("versione"));
    const double v = version.toDouble(-1);
    if (!version.isDouble() || v != std::floor(v) || v < 1)
        throw Fields::wrongType("versione");
    if (v > kFormatVersion)
        throw Refused{"è stata salvata da una versione più recente del programma"};
    return static_cast<int>(v);
}

// The appearance's choices as the file names them.
template <class E> struct Named {
    E value;
    const char* name;
};
constexpr Named<plot::Background> kBackgrounds[] = {{plot::Background::Black, "nero"},
                                                    {plot::Background::White, "bianco"}};
constexpr Named<plot::AxisNumberSize> kNumberSizes[] = {{plot::AxisNumberSize::Small, "piccoli"},
                                                        {plot::AxisNumberSize::Medium, "medi"},
                                                        {plot::AxisNumberSize::Large, "grandi"}};
constexpr Named<plot::GridStyle> kGridStyles[] = {{plot::GridStyle::Dots, "punti"},
                                                  {plot::GridStyle::Lines, "linee"}};

template <class E, std::size_t N> QJsonValue nameOf(const Named<E> (&names)[N], E value) {
    for (const Named<E>& n : names) {
        if (n.value == value)
            return key(n.name);
    }
    return key(names[0].name);
}

template <class E, std::size_t N>
E choice(const Fields& fields, const char* name, const Named<E> (&names)[N]) {
    const QJsonValue v = fields.value(name);
    if (!v.isString())
        throw Fields::wrongType(name);
    std::string offered;
    for (const Named<E>& n : names) {
        if (v.toString() == key(n.name))
            return n.value;
        offered += std::string(offered.empty() ? "" : ", ") + "\"" + n.name + "\"";
    }
    throw Refused{"il valore di " + quoted(key(name)) + " non è tra quelli previsti (" + offered +
                  ")"};
}

plot::Appearance readAppearance(const QJsonObject& object) {
    const Fields fields(object, {"sfondo", "spessore", "lineeContinue", "numeriAssi", "griglia"});
    plot::Appearance a;
    a.background = choice(fields, "sfondo", kBackgrounds);
    const double thickness = fields.number("spessore");
    if (thickness != std::floor(thickness) || thickness < plot::Appearance::kMinThickness ||
        thickness > plot::Appearance::kMaxThickness)
        throw Fields::outOfRange("spessore");
    a.thickness = static_cast<int>(thickness);
    a.continuousLines = fields.flag("lineeContinue");
    a.axisNumbers = choice(fields, "numeriAssi", kNumberSizes);
    a.grid = choice(fields, "griglia", kGridStyles);
    return a;
}

plot::Curve readCurve(const QJsonValue& value, engine::Engine& checker, const std::string& said) {
    if (!value.isObject())
        throw Fields::wrongType("curve");
    const QJsonObject object = value.toObject();
    const Fields fields(
        object, {"espressione", "colore", "coloreDerivata", "funzione", "derivata", "visibile"});
    plot::Curve curve;
    // The expression box takes 150 code points, up to two UTF-16 units each.
    const std::string typed =
        fields.string("espressione", 2 * engine::Engine::kMaxExpressionLength);
    if (QString::fromStdString(typed).toUcs4().size() > engine::Engine::kMaxExpressionLength)
        throw Refused{"il testo di \"espressione\" è troppo lungo"};
    if (!checker.CheckExpression(typed))
        throw Refused{"l'espressione \"" + typed + "\" non è accettata: " + said};
    curve.expression = engine::toLowerText(typed);
    curve.colour = fields.colour("colore");
    if (!fields.value("coloreDerivata").isNull())
        curve.derivativeColour = fields.colour("coloreDerivata");
    curve.function = fields.flag("funzione");
    curve.derivative = fields.flag("derivata");
    curve.visible = fields.flag("visibile");
    return curve;
}

std::vector<plot::Curve> readCurves(const QJsonValue& value) {
    if (!value.isArray())
        throw Fields::wrongType("curve");
    const QJsonArray array = value.toArray();
    if (static_cast<std::size_t>(array.size()) > kMaxCurves)
        throw Refused{"contiene più di " + std::to_string(kMaxCurves) + " curve"};
    std::string said;
    engine::Engine checker;
    checker.setStatusSink([&said](std::string_view message) { said = message; });
    std::vector<plot::Curve> curves;
    for (const QJsonValue& entry : array) {
        plot::Curve curve = readCurve(entry, checker, said);
        for (const plot::Curve& earlier : curves) {
            if (earlier.expression == curve.expression)
                throw Refused{"la curva \"" + curve.expression + "\" compare due volte"};
        }
        curves.push_back(std::move(curve));
    }
    return curves;
}

Session readTop(const QJsonObject& top) {
    const int version = checkVersion(top);
    const Fields fields =
        version == 1
            ? Fields(top, {"formato", "versione", "curve", "area", "vista", "opzioni"})
            : Fields(top, {"formato", "versione", "curve", "area", "vista", "opzioni", "aspetto"});
    Session session;
    if (version > 1)
        session.appearance = readAppearance(fields.object("aspetto"));
    session.curves = readCurves(fields.value("curve"));

    const QJsonObject areaObject = fields.object("area");
    const Fields area(areaObject, {"xmin", "xmax", "ymin", "ymax", "step"});
    session.area = {
        area.string("xmin", kMaxAreaTextLength), area.string("xmax", kMaxAreaTextLength),
        area.string("ymin", kMaxAreaTextLength), area.string("ymax", kMaxAreaTextLength),
        area.string("step", kMaxAreaTextLength)};

    const QJsonObject viewObject = fields.object("vista");
    const Fields view(viewObject, {"xmin", "xmax", "ymin", "ymax"});
    session.view = {view.number("xmin"), view.number("xmax"), view.number("ymin"),
                    view.number("ymax")};
    if (plot::checkAxis(session.view.xmin, session.view.xmax) != plot::ViewOutcome::Changed ||
        plot::checkAxis(session.view.ymin, session.view.ymax) != plot::ViewOutcome::Changed)
        throw Refused{"la vista è fuori dai limiti"};

    const QJsonObject choicesObject = fields.object("opzioni");
    const Fields choices(choicesObject, {"coloreGrafico", "funzione", "derivataPrima",
                                         "stampaGriglia", "nonCancellare", "disegnoVeloce",
                                         "numeriAssi", "tracciaCurva", "disegnoAutomatico"});
    MenuChoices& c = session.choices;
    c.curveColour = choices.colour("coloreGrafico");
    if (std::find(kMenuColours.begin(), kMenuColours.end(), c.curveColour) == kMenuColours.end())
        throw Fields::outOfRange("coloreGrafico");
    c.function = choices.flag("funzione");
    c.derivative = choices.flag("derivataPrima");
    c.grid = choices.flag("stampaGriglia");
    c.keep = choices.flag("nonCancellare");
    c.fast = choices.flag("disegnoVeloce");
    c.axisNumbers = choices.flag("numeriAssi");
    c.trace = choices.flag("tracciaCurva");
    c.autoDraw = choices.flag("disegnoAutomatico");
    return session;
}

} // namespace

std::string writeSession(const Session& session) {
    QJsonArray curves;
    for (const plot::Curve& curve : session.curves) {
        curves.append(
            objectOf({{"espressione", text(curve.expression)},
                      {"colore", curve.colour},
                      {"coloreDerivata",
                       curve.derivativeColour ? QJsonValue(*curve.derivativeColour) : QJsonValue()},
                      {"funzione", curve.function},
                      {"derivata", curve.derivative},
                      {"visibile", curve.visible}}));
    }
    const plot::RangeTexts& a = session.area;
    const ViewEnds& v = session.view;
    const MenuChoices& c = session.choices;
    const plot::Appearance& look = session.appearance;
    const QJsonObject top = objectOf(
        {{"formato", key(kFormatName)},
         {"versione", kFormatVersion},
         {"curve", curves},
         {"area", objectOf({{"xmin", text(a.xmin)},
                            {"xmax", text(a.xmax)},
                            {"ymin", text(a.ymin)},
                            {"ymax", text(a.ymax)},
                            {"step", text(a.step)}})},
         {"vista",
          objectOf({{"xmin", v.xmin}, {"xmax", v.xmax}, {"ymin", v.ymin}, {"ymax", v.ymax}})},
         {"opzioni", objectOf({{"coloreGrafico", c.curveColour},
                               {"funzione", c.function},
                               {"derivataPrima", c.derivative},
                               {"stampaGriglia", c.grid},
                               {"nonCancellare", c.keep},
                               {"disegnoVeloce", c.fast},
                               {"numeriAssi", c.axisNumbers},
                               {"tracciaCurva", c.trace},
                               {"disegnoAutomatico", c.autoDraw}})},
         {"aspetto", objectOf({{"sfondo", nameOf(kBackgrounds, look.background)},
                               {"spessore", look.thickness},
                               {"lineeContinue", look.continuousLines},
                               {"numeriAssi", nameOf(kNumberSizes, look.axisNumbers)},
                               {"griglia", nameOf(kGridStyles, look.grid)}})}});
    return QJsonDocument(top).toJson(QJsonDocument::Indented).toStdString();
}

SessionReading readSession(std::string_view bytes) {
    if (bytes.size() > kMaxFileBytes)
        return {std::nullopt, "il file è più grande di 1 MB"};
    if (bytes.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return {std::nullopt, "il file è vuoto"};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), &error);
    if (error.error != QJsonParseError::NoError) {
        if (static_cast<std::size_t>(error.offset) >= bytes.size())
            return {std::nullopt, "il file è troncato"};
        return {std::nullopt, "il contenuto non è nel formato JSON"};
    }
    if (!document.isObject())
        return {std::nullopt, "non contiene una sessione di " CURVALIA_TITLE};
    try {
        return {readTop(document.object()), {}};
    } catch (const Refused& refused) {
        return {std::nullopt, refused.reason};
    }
}

} // namespace curvalia::session
