#include "settings_placement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "content_view.h"
#include "simulation_view.h"
#include "status_bar.h"

namespace pellomarin {

namespace {

QRect onScreen(const QWidget& widget) {
    return {widget.mapToGlobal(QPoint(0, 0)), widget.size()};
}

}  // namespace

QPoint settingsPosition(const QWidget& settingsWindow, const ContentView& content) {
    const QRect main = content.window()->frameGeometry();
    const QRect status = onScreen(*content.statusBar());
    const QRect available = content.screen()->availableGeometry();
    // The frame is known once the window has been shown.
    const QSize size = settingsWindow.frameGeometry().size();
    const auto within = [&](int x, int y) {
        const int right = std::max(available.left(), available.right() + 1 - size.width());
        const int bottom = std::max(available.top(), available.bottom() + 1 - size.height());
        return QPoint(std::clamp(x, available.left(), right),
                      std::clamp(y, available.top(), bottom));
    };
    const int level = status.bottom() + 1 - size.height();
    if (main.right() + size.width() <= available.right())
        return within(main.right() + 1, level);
    if (main.left() - size.width() >= available.left())
        return within(main.left() - size.width(), level);
    return within(main.center().x() - size.width() / 2, onScreen(*content.simulationView()).top());
}

}  // namespace pellomarin
