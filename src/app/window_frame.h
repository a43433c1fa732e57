#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

class QWidget;
class QMouseEvent;

namespace pellomarin {

// Moving and resizing for a window without a title bar: a drag on `handle`
// moves the window, a drag within a few pixels of its edges resizes it. Asks
// the window system first and does it by hand where that is refused (X
// servers without a window manager).
class WindowFrame : public QObject {
    Q_OBJECT

public:
    WindowFrame(QWidget* window, QWidget* handle);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Qt::Edges edgesAt(QPoint globalPosition) const;
    bool press(QWidget* widget, QMouseEvent* event);
    bool drag(QMouseEvent* event);

    QWidget* window;
    QWidget* handle;
    // A move or resize done by hand: what was pressed and where.
    Qt::Edges resizing;
    bool moving = false;
    QPoint pressedAt;
    QRect startGeometry;
};

}  // namespace pellomarin
