#include "ui/windows/FunctionListWindow.h"

#include "plot/Palette.h"

#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QInputDialog>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>
#include <string>

namespace curvalia::ui {

namespace {

constexpr std::array<const char*, 16> kColourNames = {
    "Nero",         "Blu scuro",     "Verde scuro", "Ciano scuro", "Rosso scuro", "Magenta scuro",
    "Giallo scuro", "Grigio chiaro", "Grigio",      "Blu",         "Verde",       "Azzurro",
    "Rosso",        "Magenta",       "Giallo",      "Bianco"};

const std::array<QString, 6> kHeaders = {QStringLiteral("Colore f"),    QStringLiteral("Colore f'"),
                                         QStringLiteral("Espressione"), QStringLiteral("f"),
                                         QStringLiteral("f'"),          QStringLiteral("Visibile")};

QColor paletteColour(int number) {
    const plot::Rgb c = plot::QBColor(number);
    return QColor(c.r, c.g, c.b);
}

// A filled sample of the colour, framed so that black and white show too;
// the same in a selected row, where the style would otherwise tint it.
QIcon swatch(int number) {
    QPixmap pixmap(24, 12);
    pixmap.fill(paletteColour(number));
    QPainter painter(&pixmap);
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    painter.end();
    QIcon icon;
    icon.addPixmap(pixmap, QIcon::Normal);
    icon.addPixmap(pixmap, QIcon::Selected);
    return icon;
}

std::optional<int> pickFromNames(QWidget* parent, const QString& title, int current) {
    bool ok = false;
    const QStringList names = paletteColourNames();
    const QString name = QInputDialog::getItem(parent, title, QStringLiteral("Colore:"), names,
                                               current & 15, false, &ok);
    const int picked = names.indexOf(name);
    if (!ok || picked < 0)
        return std::nullopt;
    return picked;
}

QPushButton* addButton(QHBoxLayout& row, QWidget* parent, const char* objectName,
                       const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAccessibleName(caption);
    // Enter in the table opens nothing by surprise.
    button->setAutoDefault(false);
    row.addWidget(button);
    return button;
}

} // namespace

QString paletteColourName(int number) {
    return QString::fromUtf8(kColourNames[static_cast<unsigned>(number) & 15u]);
}

QStringList paletteColourNames() {
    QStringList names;
    for (const char* name : kColourNames)
        names << QString::fromUtf8(name);
    return names;
}

FunctionListWindow::FunctionListWindow(plot::PlotModel& model, plot::DrawBusy& busy,
                                       Callbacks callbacks, QWidget* parent)
    : QDialog(parent), model_(model), busy_(busy), callbacks_(std::move(callbacks)),
      picker_(pickFromNames) {
    setObjectName(QStringLiteral("ElencoFunzioni"));
    setWindowTitle(QStringLiteral("Elenco funzioni"));
    setModal(false);

    table_ = new QTableWidget(0, static_cast<int>(kHeaders.size()), this);
    table_->setObjectName(QStringLiteral("ElencoTabella"));
    table_->setAccessibleName(QStringLiteral("Elenco funzioni"));
    for (int column = 0; column < table_->columnCount(); ++column)
        table_->setHorizontalHeaderItem(column, new QTableWidgetItem(kHeaders[column]));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false); // Tab goes on to the buttons
    table_->verticalHeader()->hide();
    table_->setIconSize(QSize(24, 12));
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(Expression, QHeaderView::Stretch);

    auto* buttons = new QHBoxLayout;
    colourButton_ = addButton(*buttons, this, "ColoreF", QStringLiteral("Colore f..."));
    derivativeColourButton_ =
        addButton(*buttons, this, "ColoreDerivata", QStringLiteral("Colore f'..."));
    removeButton_ = addButton(*buttons, this, "Rimuovi", QStringLiteral("Rimuovi"));
    modifyButton_ = addButton(*buttons, this, "Modifica", QStringLiteral("Modifica"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addLayout(buttons);
    setTabOrder(table_, colourButton_);
    setTabOrder(colourButton_, derivativeColourButton_);
    setTabOrder(derivativeColourButton_, removeButton_);
    setTabOrder(removeButton_, modifyButton_);
    // Four rows show at once: small enough to open clear of the main window
    // above or beside it on a 1024 x 768 projector screen.
    resize(520, 210);

    connect(table_, &QTableWidget::itemChanged, this, &FunctionListWindow::switchToggled);
    connect(table_, &QTableWidget::itemSelectionChanged, this, &FunctionListWindow::updateButtons);
    connect(colourButton_, &QPushButton::clicked, this, [this] { pickColour(false); });
    connect(derivativeColourButton_, &QPushButton::clicked, this, [this] { pickColour(true); });
    connect(removeButton_, &QPushButton::clicked, this, &FunctionListWindow::removeSelected);
    connect(modifyButton_, &QPushButton::clicked, this, &FunctionListWindow::modifySelected);

    // The model and the busy state may outlive the window.
    model_.listen([window = QPointer<FunctionListWindow>(this)] {
        if (window)
            window->refresh();
    });
    busy_.listen([window = QPointer<FunctionListWindow>(this)](bool running) {
        if (!window)
            return;
        window->table_->setEnabled(!running);
        window->updateButtons();
    });
    table_->setEnabled(!busy_.busy());
    refresh();
}

std::optional<std::size_t> FunctionListWindow::selectedCurve() const {
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    if (rows.isEmpty() || rows.first().row() < 0 ||
        static_cast<std::size_t>(rows.first().row()) >= model_.size())
        return std::nullopt;
    return static_cast<std::size_t>(rows.first().row());
}

void FunctionListWindow::selectCurve(std::size_t index) {
    if (index < model_.size())
        table_->selectRow(static_cast<int>(index));
}

void FunctionListWindow::refresh() {
    // Expressions are unique in the model: the selected one is found again
    // wherever the change moved it.
    // The table still shows the model as it was before the change.
    QString keep;
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    if (!rows.isEmpty() && table_->item(rows.first().row(), Expression))
        keep = table_->item(rows.first().row(), Expression)->text();

    filling_ = true;
    const auto& curves = model_.curves();
    table_->setRowCount(static_cast<int>(curves.size()));
    for (std::size_t i = 0; i < curves.size(); ++i)
        fillRow(static_cast<int>(i), curves[i]);
    filling_ = false;

    table_->clearSelection();
    if (!keep.isEmpty()) {
        if (const auto again = model_.find(keep.toStdString()))
            selectCurve(*again);
    }
    updateButtons();
}

QTableWidgetItem* FunctionListWindow::cell(int row, int column) {
    QTableWidgetItem* item = table_->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        table_->setItem(row, column, item);
    }
    return item;
}

void FunctionListWindow::fillRow(int row, const plot::Curve& curve) {
    const int colours[] = {curve.colour, curve.derivativePaletteColour()};
    for (const int column : {ColourF, ColourDerivative}) {
        QTableWidgetItem* item = cell(row, column);
        const int colour = colours[column == ColourF ? 0 : 1];
        item->setText(paletteColourName(colour));
        item->setData(Qt::DecorationRole, swatch(colour));
    }
    cell(row, Expression)->setText(QString::fromStdString(curve.expression));
    const bool states[] = {curve.function, curve.derivative, curve.visible};
    for (const int column : {FunctionOn, DerivativeOn, Visible}) {
        QTableWidgetItem* item = cell(row, column);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        // The state itself reaches a screen reader through the check role.
        item->setData(Qt::AccessibleTextRole, kHeaders[column]);
        item->setCheckState(states[column - FunctionOn] ? Qt::Checked : Qt::Unchecked);
    }
}

void FunctionListWindow::updateButtons() {
    const bool on = !busy_.busy() && selectedCurve().has_value();
    for (QPushButton* button :
         {colourButton_, derivativeColourButton_, removeButton_, modifyButton_})
        button->setEnabled(on);
}

void FunctionListWindow::switchToggled(QTableWidgetItem* item) {
    if (filling_ || !item || item->column() < FunctionOn)
        return;
    const auto row = static_cast<std::size_t>(item->row());
    if (busy_.busy() || row >= model_.size()) {
        refresh(); // the box shows the model again
        return;
    }
    const bool on = item->checkState() == Qt::Checked;
    plot::Curve& curve = model_.edit(row);
    bool& target = item->column() == FunctionOn     ? curve.function
                   : item->column() == DerivativeOn ? curve.derivative
                                                    : curve.visible;
    if (target == on)
        return;
    target = on;
    edited();
}

void FunctionListWindow::pickColour(bool derivative) {
    const auto index = selectedCurve();
    if (!index || busy_.busy())
        return;
    const plot::Curve& curve = model_.curves()[*index];
    const int current = derivative ? curve.derivativePaletteColour() : curve.colour;
    const std::string expression = curve.expression;
    const std::optional<int> picked = picker_(
        this, derivative ? QStringLiteral("Colore f'") : QStringLiteral("Colore f"), current);
    // The picker waits for the user: the curve is looked up again after it.
    const auto still = model_.find(expression);
    if (!picked || *picked < 0 || *picked > 15 || *picked == current || !still || busy_.busy())
        return;
    plot::Curve& target = model_.edit(*still);
    if (derivative)
        target.derivativeColour = static_cast<std::int16_t>(*picked);
    else
        target.colour = static_cast<std::int16_t>(*picked);
    edited();
}

void FunctionListWindow::removeSelected() {
    const auto index = selectedCurve();
    if (!index || busy_.busy())
        return;
    model_.remove(*index); // tells the listeners itself
    if (callbacks_.redraw)
        callbacks_.redraw();
}

void FunctionListWindow::modifySelected() {
    const auto index = selectedCurve();
    if (index && !busy_.busy() && callbacks_.modify)
        callbacks_.modify(*index);
}

void FunctionListWindow::edited() {
    model_.changed();
    if (callbacks_.redraw)
        callbacks_.redraw();
}

} // namespace curvalia::ui
