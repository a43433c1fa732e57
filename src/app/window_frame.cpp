#include "window_frame.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace pellomarin {

namespace {

constexpr int edgeWidth = 6;

Qt::CursorShape cursorFor(Qt::Edges edges) {
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    if (horizontal && vertical) {
        const bool falling =
            edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge);
        return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    if (horizontal)
        return Qt::SizeHorCursor;
    if (vertical)
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

}  // namespace

WindowFrame::WindowFrame(QWidget* window_, QWidget* handle_)
    : QObject(window_), window(window_), handle(handle_) {
    qApp->installEventFilter(this);
}

Qt::Edges WindowFrame::edgesAt(QPoint global) const {
    const QRect frame = window->frameGeometry();
    Qt::Edges edges;
    if (global.x() < frame.left() + edgeWidth)
        edges |= Qt::LeftEdge;
    if (global.x() > frame.right() - edgeWidth)
        edges |= Qt::RightEdge;
    if (global.y() < frame.top() + edgeWidth)
        edges |= Qt::TopEdge;
    if (global.y() > frame.bottom() - edgeWidth)
        edges |= Qt::BottomEdge;
    return edges;
}

bool WindowFrame::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window || !widget->isWidgetType())
        return false;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            press(widget, static_cast<QMouseEvent*>(event));
            return false;
        case QEvent::MouseMove:
            return drag(static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonRelease:
            pending = false;
            if (!moving && !resizing)
                return false;
            moving = false;
            resizing = {};
            return true;
        default:
            return false;
    }
}

void WindowFrame::press(QWidget* widget, QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    // A press that its widget ignores comes again for each parent: the first
    // widget decides.
    if (pending && event->timestamp() == pressedTime && global == pressedAt)
        return;
    pending = false;
    moving = false;
    resizing = {};
    if (event->button() != Qt::LeftButton)
        return;
    pressedEdges = edgesAt(global);
    if (!pressedEdges && widget != handle)
        return;
    pending = true;
    pressedAt = global;
    pressedTime = event->timestamp();
    startGeometry = window->geometry();
}

bool WindowFrame::start() {
    pending = false;
    QWindow* handleWindow = window->windowHandle();
    if (pressedEdges) {
        if (handleWindow && handleWindow->startSystemResize(pressedEdges))
            return true;
        resizing = pressedEdges;
    } else {
        if (handleWindow && handleWindow->startSystemMove())
            return true;
        moving = true;
    }
    return false;
}

bool WindowFrame::drag(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    if (!(event->buttons() & Qt::LeftButton)) {
        // Show where a drag would resize.
        const Qt::CursorShape shape = cursorFor(edgesAt(global));
        if (window->cursor().shape() != shape)
            window->setCursor(shape);
        return false;
    }
    if (pending) {
        if ((global - pressedAt).manhattanLength() < QApplication::startDragDistance())
            return false;
        if (start())
            return true;
    }
    const QPoint delta = global - pressedAt;
    if (moving) {
        window->move(startGeometry.topLeft() + delta);
        return true;
    }
    if (!resizing)
        return false;
    QRect geometry = startGeometry;
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    if (resizing & Qt::LeftEdge)
        geometry.setLeft(std::min(geometry.left() + delta.x(), geometry.right() - least.width()));
    if (resizing & Qt::RightEdge)
        geometry.setRight(geometry.right() + delta.x());
    if (resizing & Qt::TopEdge)
        geometry.setTop(std::min(geometry.top() + delta.y(), geometry.bottom() - least.height()));
    if (resizing & Qt::BottomEdge)
        geometry.setBottom(geometry.bottom() + delta.y());
    window->setGeometry(geometry);
    return true;
}

}  // namespace pellomarin
