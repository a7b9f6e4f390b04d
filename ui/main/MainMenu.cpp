#include "ui/main/MainMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace curvalia::ui {

namespace {

QMenu* addMenu(QWidget* parent, const char* name, const char* caption) {
    auto* menu = new QMenu(QString::fromUtf8(caption), parent);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* addEntry(QMenu* menu, QWidget* owner, const char* name, const char* caption,
                  bool checkable = false, bool checked = false) {
    auto* action = new QAction(QString::fromUtf8(caption), owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    action->setChecked(checked);
    menu->addAction(action);
    return action;
}

} // namespace

MainMenu::MainMenu(QMenuBar* bar, QWidget* owner) {
    QMenu* menu = addMenu(owner, "menu", "Menu");
    QMenu* coloreG = addMenu(menu, "coloreG", "&Colore del Grafico...");
    colourGroup = new QActionGroup(owner);
    colourGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (const CurveColourEntry& entry : kCurveColourEntries) {
        QAction* action =
            addEntry(coloreG, owner, entry.name, entry.caption, true, entry.paletteNumber == 10);
        action->setData(entry.paletteNumber);
        colourGroup->addAction(action);
        colours.append(action);
    }
    menu->addMenu(coloreG);

    QMenu* derivat = addMenu(menu, "derivat", "&Grafici...");
    funzione = addEntry(derivat, owner, "funzione", "&Funzione", true, true);
    derpri = addEntry(derivat, owner, "derpri", "&Derivata Prima", true, false);
    menu->addMenu(derivat);
    elencoFunzioni = addEntry(menu, owner, "elencoFunzioni", "&Elenco funzioni...");
    elencoFunzioni->setShortcut(Qt::Key_F6);
    disegna = addEntry(menu, owner, "disegna", "&Disegna");
    disegna->setShortcut(Qt::Key_F5);
    stop = addEntry(menu, owner, "stop", "S&top");
    stop->setShortcut(Qt::Key_Escape);
    stop->setEnabled(false);
    impostazioniAssi = addEntry(menu, owner, "impostazioniAssi", "&Impostazioni assi...");
    impostazioniAssi->setShortcut(Qt::CTRL | Qt::Key_I);
    valoreY = addEntry(menu, owner, "valoreY", "&Valore di y...");
    valoreY->setShortcut(Qt::CTRL | Qt::Key_L);
    studio = addEntry(menu, owner, "studio", "Studi&o della funzione...");
    studio->setShortcut(Qt::Key_F7);
    ascolta = addEntry(menu, owner, "ascolta", "Ascolta il g&rafico");
    ascolta->setShortcut(Qt::Key_F8);
    salvagrafico = addEntry(menu, owner, "salvagrafico", "&Salva grafico...");
    salvagrafico->setShortcut(QKeySequence::Save);
    stampa = addEntry(menu, owner, "stampa", "Stam&pa...");
    stampa->setShortcut(Qt::CTRL | Qt::Key_P);
    apriSessione = addEntry(menu, owner, "apriSessione", "&Apri sessione...");
    apriSessione->setShortcut(Qt::CTRL | Qt::Key_O);
    salvaSessione = addEntry(menu, owner, "salvaSessione", "Salva sessio&ne...");
    salvaSessione->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    Uscita = addEntry(menu, owner, "Uscita", "&Uscita");
    bar->addMenu(menu);

    QMenu* optionx = addMenu(owner, "optionx", "Opzioni");
    GrigliaM = addEntry(optionx, owner, "GrigliaM", "Stampa Griglia", true, false);
    noncancellare = addEntry(optionx, owner, "noncancellare", "&Non Cancellare", true, false);
    disegnoVeloce = addEntry(optionx, owner, "disegnoVeloce", "Disegno &veloce", true, true);
    axisNumbers = addEntry(optionx, owner, "numeriAssi", "N&umeri sugli assi", true, false);
    traccia = addEntry(optionx, owner, "traccia", "&Traccia la curva", true, false);
    disegnoAutomatico =
        addEntry(optionx, owner, "disegnoAutomatico", "Disegno &automatico", true, false);
    aspetto = addEntry(optionx, owner, "aspetto", "Asp&etto...");
    bar->addMenu(optionx);

    QMenu* in = addMenu(owner, "in", "&?");
    credits = addEntry(in, owner, "credits", "Credits");
    help = addEntry(in, owner, "help", "&Help");
    bar->addMenu(in);
}

} // namespace curvalia::ui
