#include "platform/DocumentOpener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace curvalia::platform {

bool DesktopDocumentOpener::open(const std::string& target) {
    const QString text = QString::fromStdString(target);
    // An absolute path is a document; anything else is a link with its own
    // scheme. QUrl would otherwise read a path holding '#' or '?' as a URL.
    const QUrl url = text.startsWith(QLatin1Char('/')) ? QUrl::fromLocalFile(text)
                                                       : QUrl(text, QUrl::StrictMode);
    if (!url.isValid() || url.isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

} // namespace curvalia::platform
