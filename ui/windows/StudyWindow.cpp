#include "ui/windows/StudyWindow.h"

#include "layout/NumberWriter.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace curvalia::ui {

namespace {

std::string numberFor(double v) {
    return studyNumber(v).toStdString();
}

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

QString studyNumber(double v, const QLocale& locale) {
    if (std::isnan(v))
        return QStringLiteral("-");
    return layout::interfaceNumber(v, layout::Digits::significant(6), locale);
}

StudyWindow::StudyWindow(Sources sources, plot::DrawBusy& busy, QWidget* parent)
    : QDialog(parent), sources_(std::move(sources)), busy_(busy) {
    setObjectName(QStringLiteral("StudioFunzione"));
    setWindowTitle(QStringLiteral("Studio della funzione"));
    setModal(false);

    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("StudioTitolo"));
    heading_->setWordWrap(true);
    table_ = new QTableWidget(0, 3, this);
    table_->setObjectName(QStringLiteral("StudioPunti"));
    table_->setAccessibleName(QStringLiteral("Punti della funzione"));
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("Tipo"), QStringLiteral("x"), QStringLiteral("y")});
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    // Read-only, but a screen reader's caret moves through it line by line.
    sentences_ = new QPlainTextEdit(this);
    sentences_->setObjectName(QStringLiteral("StudioIntervalli"));
    sentences_->setAccessibleName(QStringLiteral("Intervalli e asintoti"));
    sentences_->setReadOnly(true);
    sentences_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    sentences_->setTabChangesFocus(true);
    marks_ = new QCheckBox(QStringLiteral("Mostra sul grafico"), this);
    marks_->setObjectName(QStringLiteral("MostraSulGrafico"));
    marks_->setChecked(true);
    copy_ = new QPushButton(QStringLiteral("Copia"), this);
    copy_->setObjectName(QStringLiteral("Copia"));
    copy_->setAutoDefault(false);
    auto* listen = new QPushButton(QStringLiteral("Ascolta il grafico"), this);
    listen->setObjectName(QStringLiteral("AscoltaGrafico"));
    listen->setAutoDefault(false);
    auto* saveSound = new QPushButton(QStringLiteral("Salva suono..."), this);
    saveSound->setObjectName(QStringLiteral("SalvaSuono"));
    saveSound->setAutoDefault(false);

    auto* row = new QHBoxLayout;
    row->addWidget(marks_);
    row->addStretch();
    row->addWidget(copy_);
    auto* soundRow = new QHBoxLayout;
    soundRow->addWidget(listen);
    soundRow->addWidget(saveSound);
    soundRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(table_, 3);
    layout->addWidget(sentences_, 2);
    layout->addLayout(row);
    layout->addLayout(soundRow);
    // Narrow enough to open beside the main window on a 1280 pixel screen.
    resize(360, 340);

    connect(marks_, &QCheckBox::toggled, this, &StudyWindow::studyChanged);
    connect(listen, &QPushButton::clicked, this, &StudyWindow::listenRequested);
    connect(saveSound, &QPushButton::clicked, this, &StudyWindow::saveSoundRequested);
    connect(copy_, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(studyText()); });
    busy_.listen([window = QPointer<StudyWindow>(this)](bool running) {
        if (!window || running || !window->waiting_)
            return;
        // After the draw has unwound, not from inside its last step.
        QTimer::singleShot(0, window, [window] {
            if (window && window->waiting_)
                window->refresh();
        });
    });
}

bool StudyWindow::marksShown() const {
    return marks_->isChecked() && isVisible();
}

void StudyWindow::refresh() {
    if (busy_.busy()) {
        waiting_ = true;
        return;
    }
    waiting_ = false;
    compute();
}

void StudyWindow::compute() {
    const std::string expression = sources_.expression();
    std::string why;
    const std::optional<analysis::StudyRange> range = sources_.range(&why);
    analysis::Study study;
    if (!range) {
        study.expression = expression;
        study.refusal = why;
    } else {
        study = engine_.study(engine::toLowerText(expression), *range,
                              sources_.others(engine::toLowerText(expression)));
    }
    display(study);
    study_ = std::move(study);
    emit studyChanged();
}

void StudyWindow::display(const analysis::Study& study) {
    heading_->setText(QStringLiteral("f(x) = ") + QString::fromStdString(study.expression));
    table_->setRowCount(0);
    if (study.refusal) {
        sentences_->setPlainText(QString::fromStdString(*study.refusal));
        return;
    }
    table_->setRowCount(static_cast<int>(study.points.size()));
    for (int i = 0; i < table_->rowCount(); ++i) {
        const analysis::StudyPoint& point = study.points[static_cast<std::size_t>(i)];
        table_->setItem(i, 0, cell(QString::fromStdString(analysis::kindName(point))));
        table_->setItem(i, 1, cell(studyNumber(point.x)));
        table_->setItem(i, 2, cell(studyNumber(point.y)));
    }
    QStringList lines;
    for (const std::string& line : analysis::sentences(study, numberFor))
        lines << QString::fromStdString(line);
    sentences_->setPlainText(lines.join(QLatin1Char('\n')));
}

QString StudyWindow::studyText() const {
    if (study_.refusal)
        return QString::fromStdString(*study_.refusal);
    return QStringLiteral("f(x) = ") + QString::fromStdString(study_.expression) +
           QLatin1Char('\n') + QString::fromStdString(analysis::studyText(study_, numberFor));
}

} // namespace curvalia::ui
