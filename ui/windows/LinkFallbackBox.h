// A small box for links that the desktop could not open: it shows their
// addresses in fields the user can select and copy from, with a button that
// copies them all. Modeless; there is never more than one.
#pragma once

#include <QDialog>
#include <QStringList>

namespace curvalia::ui {

class LinkFallbackBox : public QDialog {
    Q_OBJECT
  public:
    static constexpr const char* kCannotOpen =
        "Non \xC3\xA8 stato possibile aprire il collegamento con un programma del sistema.";
    static constexpr const char* kCopyFromHere = "Si pu\xC3\xB2 copiare l'indirizzo da qui:";

    // Shows addresses in the open box (replacing what it showed) or in a new one.
    static LinkFallbackBox* showFor(QWidget* parent, const QStringList& addresses);
    // The open box, or nullptr.
    static LinkFallbackBox* current();

    LinkFallbackBox(const QStringList& addresses, QWidget* parent = nullptr);
    QStringList addresses() const { return addresses_; }

  private:
    QStringList addresses_;
};

} // namespace curvalia::ui
