#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

class QWidget;
class QMouseEvent;

namespace pellomarin {

// Moving and resizing for a window without a title bar: a drag on `handle`
// moves the window, a drag that starts within a few pixels of its edges
// resizes it. Nothing starts before the pointer has moved the platform's drag
// distance with the button held, so a click or a tap stays a click, and the
// press still reaches the widget under it (the menu's title opens its menu).
// Asks the window system first and does it by hand where that is refused (X
// servers without a window manager). It watches only the window's QWindow,
// which sees every mouse event of the window before any widget does. Main
// thread.
class WindowFrame : public QObject {
    Q_OBJECT

public:
    WindowFrame(QWidget* window, QWidget* handle);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Qt::Edges edgesAt(QPoint globalPosition) const;
    void press(QMouseEvent* event);
    bool drag(QMouseEvent* event);
    // Starts the move or resize that the press asked for.
    bool start();

    QWidget* window;
    QWidget* handle;
    // The press that may become a drag: where it was and what it would do.
    bool pending = false;
    Qt::Edges pressedEdges;
    QPoint pressedAt;
    QRect startGeometry;
    // A move or resize done by hand.
    Qt::Edges resizing;
    bool moving = false;
};

}  // namespace pellomarin
