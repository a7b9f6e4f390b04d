// What a screen reader reads of a one-line field. Qt 6.4's own answers lose
// the field's last character in Orca: each text attribute run it gives is
// empty (start = end = offset), and Orca, which splits what it speaks by
// those runs, speaks up to the last run's start ("-10" as "-1"). Asked for a
// word or a sentence at an offset with no word around it ("-" in "-10"), it
// never returns at all. So the fields answer here: one attribute run over the
// whole text, and words, lines and characters found by plain rules that stop.
#pragma once

#include <QAccessibleWidget>

class QLineEdit;

namespace curvalia::ui {

class FieldAccessible : public QAccessibleWidget,
                        public QAccessibleTextInterface,
                        public QAccessibleEditableTextInterface {
  public:
    explicit FieldAccessible(QLineEdit* field);

    // The factory for QAccessible::installFactory: every line edit that
    // shows its text (a password field keeps Qt's own).
    static QAccessibleInterface* create(const QString& className, QObject* object);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    QAccessible::State state() const override;

    // Text.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // Editable text.
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

  private:
    QLineEdit* field() const;
    // The piece of kind boundary around offset, as [start, end); start = end
    // = -1 where there is none. step -1, 0, 1: the piece before, at, after.
    QString piece(int offset, QAccessible::TextBoundaryType boundary, int step, int* start,
                  int* end) const;
    // Where the cursor would stand at position, in the field's coordinates.
    int cursorX(int position) const;
};

} // namespace curvalia::ui
