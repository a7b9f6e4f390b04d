#include "ui/windows/FieldAccessible.h"

#include <QFontMetrics>
#include <QLineEdit>

#include <algorithm>
#include <utility>
#include <vector>

namespace curvalia::ui {

namespace {

using Piece = std::pair<int, int>; // [start, end)

// The text cut into pieces of one kind, in order, covering all of it.
std::vector<Piece> pieces(const QString& text, QAccessible::TextBoundaryType boundary) {
    const int n = static_cast<int>(text.size());
    std::vector<Piece> cut;
    if (n == 0)
        return cut;
    switch (boundary) {
    case QAccessible::CharBoundary:
        for (int i = 0; i < n; ++i)
            cut.emplace_back(i, i + 1);
        break;
    case QAccessible::WordBoundary: {
        // A word and the blanks after it, as a word starts where the next
        // one does; blanks before the first word are a piece of their own.
        int start = 0;
        int i = 0;
        while (i < n && text.at(i).isSpace())
            ++i;
        if (i > 0) {
            cut.emplace_back(0, i);
            start = i;
        }
        while (i < n) {
            while (i < n && !text.at(i).isSpace())
                ++i;
            while (i < n && text.at(i).isSpace())
                ++i;
            cut.emplace_back(start, i);
            start = i;
        }
        break;
    }
    default: // a sentence, a line, a paragraph or all of it: a field has one line
        cut.emplace_back(0, n);
        break;
    }
    return cut;
}

} // namespace

FieldAccessible::FieldAccessible(QLineEdit* field)
    : QAccessibleWidget(field, QAccessible::EditableText) {
    addControllingSignal(QStringLiteral("textChanged(const QString&)"));
    addControllingSignal(QStringLiteral("returnPressed()"));
}

QAccessibleInterface* FieldAccessible::create(const QString& className, QObject* object) {
    auto* edit = qobject_cast<QLineEdit*>(object);
    if (className != QLatin1String("QLineEdit") || !edit || edit->echoMode() != QLineEdit::Normal ||
        edit->objectName() == QLatin1String("qt_spinbox_lineedit"))
        return nullptr;
    return new FieldAccessible(edit);
}

QLineEdit* FieldAccessible::field() const {
    return static_cast<QLineEdit*>(widget());
}

void* FieldAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString FieldAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value)
        return field()->text();
    return QAccessibleWidget::text(t);
}

void FieldAccessible::setText(QAccessible::Text t, const QString& text) {
    if (t == QAccessible::Value)
        field()->setText(text);
    else
        QAccessibleWidget::setText(t, text);
}

QAccessible::State FieldAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    if (field()->isReadOnly())
        state.readOnly = true;
    else
        state.editable = true;
    state.selectableText = true;
    return state;
}

void FieldAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !field()->hasSelectedText())
        return;
    *startOffset = field()->selectionStart();
    *endOffset = field()->selectionEnd();
}

int FieldAccessible::selectionCount() const {
    return field()->hasSelectedText() ? 1 : 0;
}

void FieldAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void FieldAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0)
        field()->deselect();
}

void FieldAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0)
        field()->setSelection(startOffset, endOffset - startOffset);
}

int FieldAccessible::cursorPosition() const {
    return field()->cursorPosition();
}

void FieldAccessible::setCursorPosition(int position) {
    field()->setCursorPosition(position);
}

QString FieldAccessible::text(int startOffset, int endOffset) const {
    if (startOffset > endOffset)
        return QString();
    return field()->text().mid(startOffset, endOffset - startOffset);
}

int FieldAccessible::characterCount() const {
    return static_cast<int>(field()->text().size());
}

QString FieldAccessible::piece(int offset, QAccessible::TextBoundaryType boundary, int step,
                               int* start, int* end) const {
    *start = *end = -1;
    const QString text = field()->text();
    const int n = static_cast<int>(text.size());
    if (offset == -2)
        offset = cursorPosition();
    else if (offset == -1)
        offset = n;
    if (offset < 0 || offset > n)
        return QString();
    const std::vector<Piece> cut = pieces(text, boundary);
    // At the end of the text there is no character, but there is the last
    // word and the line.
    int at = static_cast<int>(cut.size());
    const int inside = boundary == QAccessible::CharBoundary ? offset : std::min(offset, n - 1);
    for (int i = 0; i < static_cast<int>(cut.size()); ++i)
        if (cut[i].first <= inside && inside < cut[i].second)
            at = i;
    const int wanted = at + step;
    if (wanted < 0 || wanted >= static_cast<int>(cut.size()))
        return QString();
    *start = cut[wanted].first;
    *end = cut[wanted].second;
    return text.mid(*start, *end - *start);
}

QString FieldAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                          int* startOffset, int* endOffset) const {
    return piece(offset, boundaryType, -1, startOffset, endOffset);
}

QString FieldAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                         int* startOffset, int* endOffset) const {
    return piece(offset, boundaryType, 1, startOffset, endOffset);
}

QString FieldAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                      int* startOffset, int* endOffset) const {
    return piece(offset, boundaryType, 0, startOffset, endOffset);
}

int FieldAccessible::cursorX(int position) const {
    // The field maps a point to the nearest cursor position and keeps its
    // scrolling to itself: the first x that maps at or past position is the
    // middle of the character before it.
    const int y = field()->height() / 2;
    int low = 0, high = field()->width();
    while (low < high) {
        const int mid = (low + high) / 2;
        if (field()->cursorPositionAt(QPoint(mid, y)) >= position)
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

QRect FieldAccessible::characterRect(int offset) const {
    const QString text = field()->text();
    const int n = static_cast<int>(text.size());
    if (offset < 0 || offset > n || n == 0)
        return QRect();
    const QFontMetrics metrics(field()->font());
    // The end of the text is where the caret stands after it: no width.
    const int index = offset == n ? n - 1 : offset;
    const int width = metrics.horizontalAdvance(text.at(index));
    const int left = cursorX(index + 1) - width / 2;
    const QRect local(offset == n ? left + width : left, (field()->height() - metrics.height()) / 2,
                      offset == n ? 0 : width, metrics.height());
    return QRect(field()->mapToGlobal(local.topLeft()), local.size());
}

int FieldAccessible::offsetAtPoint(const QPoint& point) const {
    return field()->cursorPositionAt(field()->mapFromGlobal(point));
}

void FieldAccessible::scrollToSubstring(int startIndex, int endIndex) {
    field()->setCursorPosition(endIndex);
    field()->setCursorPosition(startIndex);
}

QString FieldAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    // A field has one look throughout: one run, with no attributes, over
    // the whole text.
    const int n = characterCount();
    if (offset < 0 || offset > n) {
        *startOffset = *endOffset = -1;
        return QString();
    }
    *startOffset = 0;
    *endOffset = n;
    return QString();
}

void FieldAccessible::deleteText(int startOffset, int endOffset) {
    field()->setText(field()->text().remove(startOffset, endOffset - startOffset));
}

void FieldAccessible::insertText(int offset, const QString& text) {
    field()->setText(field()->text().insert(offset, text));
}

void FieldAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    field()->setText(field()->text().replace(startOffset, endOffset - startOffset, text));
}

} // namespace curvalia::ui
