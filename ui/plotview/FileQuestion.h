// The program's file dialogs, asked one way: each starts in the folder of
// the last file chosen through it, else in the user's folder for that kind
// of file, else in the home folder; a save dialog proposes a name and adds
// the suffix of the filter chosen when the user types none.
#pragma once

#include <QStandardPaths>
#include <QString>
#include <QStringList>

class QWidget;

namespace curvalia::ui {

struct FileQuestion {
    QString title;
    QStandardPaths::StandardLocation usualFolder;
    bool save = true;
    QString suggestedName; // for saving
    QStringList filters;   // "Immagine PNG (*.png)"; the first is chosen at start
    QStringList suffixes;  // the suffix each filter adds ("png")
};

// The path chosen, or an empty string when the dialog was cancelled.
QString askForFile(QWidget* parent, const FileQuestion& question, const QString& lastFolder);

} // namespace curvalia::ui
