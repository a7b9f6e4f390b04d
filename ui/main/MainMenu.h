// The main window's menu bar: captions, access keys, check marks and the
// colour choice. It only builds the entries; the main window reacts to them.
#pragma once

#include <QList>

#include <cstdint>

class QAction;
class QActionGroup;
class QMenuBar;
class QWidget;

namespace curvalia::ui {

// A colour of the f(x) curve offered by the menu, as a palette number.
struct CurveColourEntry {
    const char* name;
    const char* caption;
    std::int16_t paletteNumber;
};

inline constexpr CurveColourEntry kCurveColourEntries[] = {
    {"verde", "Verde", 10},   {"azzurro", "Azzurro", 11}, {"bianco", "Bianco", 15},
    {"giallo", "Giallo", 14}, {"blu", "Blu", 9},
};

class MainMenu {
  public:
    // Fills bar; every action is a child of owner and carries its name as
    // objectName, so it can be found by name.
    MainMenu(QMenuBar* bar, QWidget* owner);

    // In the order of kCurveColourEntries; one exclusive group, so choosing
    // the checked colour again leaves it checked.
    QList<QAction*> colours;
    QActionGroup* colourGroup = nullptr;
    QAction* funzione = nullptr;
    QAction* derpri = nullptr;
    QAction* elencoFunzioni = nullptr; // F6: the list of the plot's curves
    // The tool buttons' commands, for the keyboard: F5, Esc (only while a
    // draw runs), Ctrl+I, Ctrl+L.
    QAction* disegna = nullptr;
    QAction* stop = nullptr;
    QAction* impostazioniAssi = nullptr;
    QAction* valoreY = nullptr;
    QAction* studio = nullptr;        // F7: the study of the function
    QAction* ascolta = nullptr;       // F8: the curve as sound
    QAction* salvagrafico = nullptr;  // Ctrl+S
    QAction* stampa = nullptr;        // Ctrl+P
    QAction* apriSessione = nullptr;  // Ctrl+O
    QAction* salvaSessione = nullptr; // Ctrl+Shift+S
    QAction* Uscita = nullptr;
    QAction* GrigliaM = nullptr;
    QAction* noncancellare = nullptr;
    QAction* disegnoVeloce = nullptr; // checked while "Speed Attivato" is shown
    QAction* axisNumbers = nullptr;   // "N&umeri sugli assi", off at start
    QAction* traccia = nullptr;       // "&Traccia la curva"
    // Off at start: typing in the expression box redraws the plot as it goes.
    QAction* disegnoAutomatico = nullptr;
    QAction* aspetto = nullptr; // the appearance dialog
    QAction* credits = nullptr;
    QAction* help = nullptr;
};

} // namespace curvalia::ui
