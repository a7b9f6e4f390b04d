// The explorer's marks on the screen: a transparent widget laid over the
// plot, so that nothing of them reaches the plot's picture or its record of
// points. It takes no mouse input; the plot under it gets every event.
#pragma once

#include <QWidget>

namespace curvalia::ui {

class PlotExplorer;
class PlotSurfaceWidget;

class ExplorerOverlay : public QWidget {
    Q_OBJECT
  public:
    ExplorerOverlay(PlotSurfaceWidget& plot, const PlotExplorer& explorer);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    PlotSurfaceWidget& plot_;
    const PlotExplorer& explorer_;
};

} // namespace curvalia::ui
