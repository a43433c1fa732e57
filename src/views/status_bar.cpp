#include "status_bar.h"

#include <QLayout>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include "ball_colors.h"
#include "number_text.h"

namespace pellomarin {

// A value of the row: a fixed-size cell that draws its own text. Tab stops
// on it, so that a screen reader reads its name with the value, and the
// style's focus frame shows it to keyboard users. Not a QLabel: a label that
// takes focus lays its text out as a document at every change, and one whose
// size may change lays the whole row out again; twice a second, that was
// most of the main thread's work.
class Cell : public QWidget {
public:
    Cell(int width, QWidget* parent) : QWidget(parent) {
        setFocusPolicy(Qt::TabFocus);
        setFixedSize(width, fontMetrics().height());
    }
    const QString& text() const { return text_; }
    void setText(const QString& text) {
        if (text == text_)
            return;
        text_ = text;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect(), Qt::AlignLeading | Qt::AlignVCenter | Qt::TextSingleLine, text_);
        if (!hasFocus())
            return;
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.backgroundColor = palette().color(backgroundRole());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }

private:
    QString text_;
};

namespace {

constexpr int valueWidth = 70;
constexpr int minimumTextWidth = 110;
constexpr int markerSize = 11;

// A small filled circle in a ball's colour.
class Marker : public QWidget {
public:
    Marker(QColor fill, QWidget* parent) : QWidget(parent), colour(fill) {
        setFixedSize(markerSize, markerSize);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(QRectF(rect()));
    }

private:
    QColor colour;
};

Cell* fixedWidthLabel(int width, QWidget* parent) {
    return new Cell(width, parent);
}

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

// What a screen reader says for a ball: "ball 0 (red)".
QString ballName(int ball) {
    static constexpr const char* colours[] = {QT_TRANSLATE_NOOP("pellomarin::StatusBar", "red"),
                                              QT_TRANSLATE_NOOP("pellomarin::StatusBar", "green"),
                                              QT_TRANSLATE_NOOP("pellomarin::StatusBar", "yellow")};
    return StatusBar::tr("ball %1 (%2)").arg(ball).arg(StatusBar::tr(colours[ball]));
}

// Screen readers say a label's accessible name instead of its text, so a
// cell's name carries its value too: "Speed of ball 0 (red): 1,23".
constexpr const char* plainNameProperty = "pellomarinAccessibleName";

void describe(QWidget* cell, const QString& name, const QString& description) {
    cell->setProperty(plainNameProperty, name);
    cell->setAccessibleName(name);
    cell->setAccessibleDescription(description);
}

void nameWithValue(QWidget* cell, const QString& value) {
    const QString name = cell->property(plainNameProperty).toString();
    cell->setAccessibleName(StatusBar::tr("%1: %2").arg(name, value));
}

void setValue(Cell* cell, const QString& value) {
    cell->setText(value);
    nameWithValue(cell, value);
}

}  // namespace

StatusBar::StatusBar(MinimumDistance& minimum_, QWidget* parent)
    : GroupRows(parent), minimum(minimum_) {
    QWidget* group = addGroup();
    addHeading(group, QT_TR_NOOP("Speed:"));
    addValueCells(group, speed, "speed");
    group = addGroup();
    addHeading(group, QT_TR_NOOP(" Acc:"));
    addValueCells(group, acc, "acceleration");
    group = addGroup();
    addHeading(group, QT_TR_NOOP(" Dist:"));
    addValueCells(group, dist, "distance");
    group = addGroup();
    addMarker(group, 0), addMarker(group, 1), dist01 = addPairText(group, "distance 0-1");
    addMarker(group, 0), addMarker(group, 2), dist02 = addPairText(group, "distance 0-2");
    addMarker(group, 1), addMarker(group, 2), dist12 = addPairText(group, "distance 1-2");
    group = addGroup();
    minDist = fixedWidthLabel(minimumTextWidth, group);
    minDist->setObjectName("minimum distance");
    minDist->setText(tr("Min. Dist.: %1").arg(QString()));
    group->layout()->addWidget(minDist);
    arrange(sizeHint().width());

    setAccessibleName(tr("Status bar"));
    for (int i = 0; i < 3; ++i) {
        describe(speed[i], tr("Speed of %1").arg(ballName(i)), tr("How fast the ball moves"));
        describe(acc[i], tr("Acceleration of %1").arg(ballName(i)),
                 tr("How strongly the others pulled the ball in the latest step"));
        describe(dist[i], tr("Distance of %1 from the centre").arg(ballName(i)),
                 tr("How far the ball is from the centre"));
    }
    const QString pairDescription = tr("The distance between the centres of the two balls");
    describe(dist01, tr("Distance between %1 and %2").arg(ballName(0), ballName(1)),
             pairDescription);
    describe(dist02, tr("Distance between %1 and %2").arg(ballName(0), ballName(2)),
             pairDescription);
    describe(dist12, tr("Distance between %1 and %2").arg(ballName(1), ballName(2)),
             pairDescription);
    describe(minDist, tr("Smallest distance"),
             tr("The smallest distance between two balls since the last New Simulation"));

    timer.setInterval(500);
    timer.setTimerType(Qt::CoarseTimer);
    connect(&timer, &QTimer::timeout, this, &StatusBar::refresh);
    timer.start();
}

QLabel* StatusBar::addHeading(QWidget* group, const char* text) {
    auto* heading = new QLabel(tr(text), group);
    heading->setTextFormat(Qt::PlainText);
    group->layout()->addWidget(heading);
    return heading;
}

void StatusBar::addValueCells(QWidget* group, std::array<Cell*, 3>& cells, const QString& name) {
    for (int i = 0; i < 3; ++i) {
        Cell* cell = fixedWidthLabel(valueWidth, group);
        cell->setObjectName(QStringLiteral("%1 %2").arg(name).arg(i));
        QPalette palette = cell->palette();
        palette.setColor(QPalette::WindowText, ballColors[i]);
        palette.setColor(QPalette::Window, QColor(Qt::gray));
        cell->setPalette(palette);
        cell->setAutoFillBackground(true);
        group->layout()->addWidget(cell);
        cells[i] = cell;
    }
}

void StatusBar::addMarker(QWidget* group, int ball) {
    group->layout()->addWidget(new Marker(ballColors[ball], group));
}

Cell* StatusBar::addPairText(QWidget* group, const QString& name) {
    Cell* label = fixedWidthLabel(valueWidth, group);
    label->setObjectName(name);
    group->layout()->addWidget(label);
    return label;
}

QString StatusBar::text(const QString& name) const {
    const auto* label = findChild<Cell*>(name);
    return label ? label->text() : QString();
}

void StatusBar::refresh() {
    if (!model_)
        return;
    const auto balls = model_->snapshot();
    for (int i = 0; i < 3; ++i) {
        setValue(speed[i], qText(numberText(length(balls[i].movement))));
        setValue(dist[i], qText(numberText(length(balls[i].position))));
        setValue(acc[i], qText(accelerationText(length(balls[i].lastAcceleration))));
    }
    // The only place where the running minimum is lowered.
    const auto pair = [this](Cell* cell, const Ball& a, const Ball& b) {
        const double d = a.distance(b);
        minimum.lower(d);
        setValue(cell, qText(numberText(d)));
    };
    pair(dist01, balls[0], balls[1]);
    pair(dist02, balls[0], balls[2]);
    pair(dist12, balls[1], balls[2]);
    const QString least = qText(numberText(minimum.minDistanceSoFar()));
    minDist->setText(tr("Min. Dist.: %1").arg(least));
    nameWithValue(minDist, least);
}

}  // namespace pellomarin
