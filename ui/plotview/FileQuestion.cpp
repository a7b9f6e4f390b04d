#include "ui/plotview/FileQuestion.h"

#include <QDir>
#include <QFileDialog>

namespace curvalia::ui {

QString askForFile(QWidget* parent, const FileQuestion& question, const QString& lastFolder) {
    QString folder = lastFolder;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(question.usualFolder);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    QFileDialog dialog(parent, question.title,
                       question.save ? QDir(folder).filePath(question.suggestedName) : folder);
    dialog.setAcceptMode(question.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(question.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(question.filters);
    if (!question.suffixes.isEmpty())
        dialog.setDefaultSuffix(question.suffixes.constFirst());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, &question](const QString& filter) {
                         const qsizetype at = question.filters.indexOf(filter);
                         if (at >= 0 && at < question.suffixes.size())
                             dialog.setDefaultSuffix(question.suffixes.at(at));
                     });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace curvalia::ui
