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
    if (horizontal && vertical)  // a corner: the diagonal from top left, or from top right
        return edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge)
                   ? Qt::SizeFDiagCursor
                   : Qt::SizeBDiagCursor;
    return horizontal ? Qt::SizeHorCursor : vertical ? Qt::SizeVerCursor : Qt::ArrowCursor;
}

}  // namespace

WindowFrame::WindowFrame(QWidget* window_, QWidget* handle_)
    : QObject(window_), window(window_), handle(handle_) {
    window->installEventFilter(this);  // for its QWindow, made with its native window
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
    if (watched == window) {
        if (event->type() == QEvent::WinIdChange && window->windowHandle())
            window->windowHandle()->installEventFilter(this);
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress)
        press(static_cast<QMouseEvent*>(event));  // and on to the widget under it
    else if (event->type() == QEvent::MouseMove)
        return drag(static_cast<QMouseEvent*>(event));
    return false;
}

void WindowFrame::press(QMouseEvent* event) {
    pending = moving = false;
    resizing = {};
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint global = event->globalPosition().toPoint();
    pressedEdges = edgesAt(global);
    if (!pressedEdges && window->childAt(event->position().toPoint()) != handle)
        return;
    pending = true;
    pressedAt = global;
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
