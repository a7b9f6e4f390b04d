// The shipped help document, RTF in plain ASCII, and its HTML twin explain
// every entry, key and message the program has.
#include "analysis/FunctionStudy.h"
#include "calc/ValueCalculator.h"
#include "engine/Engine.h"
#include "plot/PlotMessages.h"
#include "support/qt_main_input_support.h"
#include "support/table_rows.h"
#include "ui/explore/LiveDrawing.h"
#include "ui/explore/PlotExplorer.h"
#include "ui/plotview/PlotActions.h"

#include <QTextBrowser>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace curvalia::ui {
namespace {

using namespace testing;

std::string rawDocument() {
    // From the source tree as the build names it: __FILE__ may be relative
    // to the build folder (a compiler cache rewrites it so).
    const std::filesystem::path doc =
        std::filesystem::path(CURVALIA_SOURCE_DIR) / "docs/CurvaliaHelp.doc";
    std::ifstream in(doc, std::ios::binary);
    EXPECT_TRUE(in) << doc;
    return {std::istreambuf_iterator<char>(in), {}};
}

// A text as the document writes it: letters past ASCII as \'xx escapes
// (cp1252, where the em dash is 97).
std::string asRtf(const QString& text) {
    std::string out;
    for (const QChar c : text) {
        const unsigned code = c.unicode();
        if (code < 0x80)
            out += char(code);
        else if (code == 0x2014 || code < 0x100)
            out += "\\'" + QString::number(code == 0x2014 ? 0x97 : code, 16).toStdString();
        else // past cp1252: its code, and no stand-in
            out += "\\u" + std::to_string(code) + "?";
    }
    return out;
}

TEST(HelpDocument, IsRtfInAsciiAndItAndItsTwinExplainEveryMessage) {
    const std::string raw = rawDocument();
    ASSERT_EQ(raw.rfind("{\\rtf1", 0), 0u);
    EXPECT_TRUE(std::all_of(raw.begin(), raw.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x80;
    })) << "accents must be escaped";
    namespace em = engine::msg;
    const auto messages = ::curvalia::testing::rows<const char*>(
        em::kBrackets, em::kStepLimit, em::kBlank, em::kUnknownWordPrefix, em::kMoreOpen,
        em::kMoreClosed, em::kEmptyBrackets, em::kNeedOperator, em::kBadStart,
        em::kRemoveOperatorPrefix, em::kCheckBrackets, plot::msg::kAnalysing, plot::msg::kSweeping,
        plot::msg::kBadFields, plot::msg::kBadStep, "Usare il punto come separatore decimale",
        "Non definita!", "Le informazioni sul sistema non sono attualmente disponibili.", "sin(",
        "cos(", "tg(", "asin(", "acos(", "atg(", "abs(", "lge(", "lgn(", "rad(",
        PlotActions::kBusyNote, "Impossibile salvare il grafico: ", LinkFallbackBox::kCannotOpen,
        "Operatore non riconosciuto... \xCF\x80 (usare p)",
        "Operatore non riconosciuto... \xC2\xB2 (usare ^2)", "(usare ^3)", "U+00A0",
        "X da -1 a 0 (arrotondati all'intero inferiore)", em::kEmptyExpression, "U+0301",
        "sen (usare sin)", "(usare tg)", "(usare lgn)", "(usare lge o lgn)", "(usare rad(2)(...))",
        "(usare asin)", "(usare acos)", "(usare atg)", "(usare 1/tg(...))", "(usare e^(...))",
        "(scrivere 2*x)", "(scrivere 2*(...))", "(scrivere sin(x))", "(usare abs(...))",
        "(scrivere 0-x^2)", calc::kXWithXMessage, calc::kXUndefinedMessage, "Elenco funzioni",
        "Disegno automatico", PlotExplorer::kTooNarrowNote, PlotExplorer::kTooWideNote,
        LiveDrawing::kTooManyNote, "Vista: x da", "Colore f...", "Colore f'...", "Rimuovi",
        "Modifica", "Visibile", "PagSu (PageUp)", "PagGi\xC3\xB9 (PageDown)", "F6",
        "Studio della funzione", "F7", "Mostra sul grafico", "Copia", "zero doppio",
        "punto escluso", "asintoto verticale", "flesso", "massimo relativo", "minimo relativo",
        "intersezione con l'asse y", "--studio", "--area", analysis::msg::kTooManySamples,
        "f concava verso l'alto", "Ctrl+Freccia destra", "Ctrl+Freccia sinistra", "Avanzamento",
        "Ctrl+Fine", "gradi", "non spuntata", "Ascolta il grafico", "F8", "Salva suono...",
        "Audio non disponibile", "Impossibile salvare il suono: ", "WAV",
        "come notifiche della finestra", "Disegno terminato", "F7 per lo studio completo.",
        "angolo 80,537 gradi", "stazionaria", "decresce", "Stampa Griglia attivato",
        "Speed Disattivato", "Apri sessione...", "Ctrl+O", "Salva sessione...", "Ctrl+Shift+S",
        "Il file non \xC3\xA8 una sessione valida: ", "Impossibile salvare la sessione: ",
        "curvalia-light lezione.curvalia", "Aspetto...", "Sfondo", "Spessore delle curve",
        "Linee continue", "Numeri sugli assi", "Griglia", "il valore di \"spessore\"", "Stampa...",
        "Ctrl+P", "Adatta alla pagina", "1 unit\xC3\xA0 = 1 cm", "Sfondo nero",
        "Stampa su file (PDF)", "PDF (*.pdf)",
        "La vista non entra nella pagina a 1 unit\xC3\xA0 = 1 cm: ", "Impossibile stampare: ",
        "con .png, con .svg oppure con .pdf.");
    // The program's own help window shows the document's HTML twin.
    const QString twin = HelpWindow().browser()->toPlainText();
    for (const char* message : messages) {
        EXPECT_NE(raw.find(asRtf(QString::fromUtf8(message))), std::string::npos) << message;
        EXPECT_TRUE(twin.contains(QString::fromUtf8(message))) << message;
    }
}

// The document is looked for in the current directory: a scratch one here.
} // namespace
} // namespace curvalia::ui
