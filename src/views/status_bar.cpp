#include "status_bar.h"

#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <cmath>

#include "ball_colors.h"
#include "force_law.h"
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
    Cell(int width, const QString& name, QWidget* group) : QWidget(group) {
        setObjectName(name);
        setFocusPolicy(Qt::TabFocus);
        setFixedSize(width, fontMetrics().height());
        setAttribute(Qt::WA_OpaquePaintEvent);  // nothing under it is painted again
        group->layout()->addWidget(this);
    }
    const QString& text() const { return text_; }

    // Screen readers say the name instead of the text, so the name carries
    // the value too: "Speed of ball 0 (red): 1,23".
    void describe(const QString& name, const QString& description) {
        plainName = name;
        setAccessibleName(name);
        setAccessibleDescription(description);
    }
    // Shows the value, or `text` where the cell says more than its value.
    void setValue(const QString& value, const QString& text = {}) {
        setAccessibleName(StatusBar::tr("%1: %2").arg(plainName, value));
        if (const QString& shown = text.isNull() ? value : text; shown != text_) {
            text_ = shown;
            update();
        }
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        painter.fillRect(rect(), palette().window());
        painter.setPen(palette().color(QPalette::WindowText));
        // At the leading edge, on the baseline of a cell one line high: drawn
        // without the layout that a text in a rectangle goes through.
        const int x = isRightToLeft() ? width() - fontMetrics().horizontalAdvance(text_) : 0;
        painter.drawText(QPointF(x, fontMetrics().ascent()), text_);
        if (!hasFocus())
            return;
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.backgroundColor = palette().color(backgroundRole());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }

private:
    QString text_;
    QString plainName;
};

namespace {

constexpr int valueWidth = 70;
constexpr int energyWidth = 90;  // "-1.23457E+06"
constexpr int minimumTextWidth = 110;
constexpr int markerSize = 11;

// The balls of each pair distance, in the row's order.
constexpr std::array<std::array<int, 2>, 3> pairs{{{0, 1}, {0, 2}, {1, 2}}};

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

// What a screen reader says for a ball: "ball 0 (red)".
QString ballName(int ball) {
    static constexpr const char* colours[] = {QT_TRANSLATE_NOOP("pellomarin::StatusBar", "red"),
                                              QT_TRANSLATE_NOOP("pellomarin::StatusBar", "green"),
                                              QT_TRANSLATE_NOOP("pellomarin::StatusBar", "yellow")};
    return StatusBar::tr("ball %1 (%2)").arg(ball).arg(StatusBar::tr(colours[ball]));
}

}  // namespace

StatusBar::StatusBar(MinimumDistance& minimum_, QWidget* parent)
    : GroupRows(parent), minimum(minimum_) {
    addBallGroup(speed, "speed", QT_TR_NOOP("Speed:"), QT_TR_NOOP("Speed of %1"),
                 QT_TR_NOOP("How fast the ball moves"));
    addBallGroup(acc, "acceleration", QT_TR_NOOP(" Acc:"), QT_TR_NOOP("Acceleration of %1"),
                 QT_TR_NOOP("How strongly the others pulled the ball in the latest step"));
    addBallGroup(dist, "distance", QT_TR_NOOP(" Dist:"),
                 QT_TR_NOOP("Distance of %1 from the centre"),
                 QT_TR_NOOP("How far the ball is from the centre"));
    QWidget* group = addGroup();
    for (int k = 0; k < 3; ++k) {
        const auto [a, b] = pairs[k];
        group->layout()->addWidget(new Marker(ballColors[a], group));
        group->layout()->addWidget(new Marker(ballColors[b], group));
        pairDist[k] = new Cell(valueWidth, QStringLiteral("distance %1-%2").arg(a).arg(b), group);
        pairDist[k]->describe(tr("Distance between %1 and %2").arg(ballName(a), ballName(b)),
                              tr("The distance between the centres of the two balls"));
    }
    group = addGroup();
    minDist = new Cell(minimumTextWidth, "minimum distance", group);
    minDist->setValue({}, tr("Min. Dist.: %1").arg(QString()));
    conservation = group = addGroup();
    addHeading(group, QT_TR_NOOP(" Energy:"));
    energyNow = new Cell(energyWidth, "energy", group);
    addHeading(group, QT_TR_NOOP(" ΔE/E:"));
    energyChange = new Cell(valueWidth, "energy change", group);
    addHeading(group, QT_TR_NOOP(" ΔL/L:"));
    momentumChange = new Cell(valueWidth, "angular momentum change", group);
    conservation->hide();
    arrange(sizeHint().width());

    setAccessibleName(tr("Status bar"));
    minDist->describe(tr("Smallest distance"),
                      tr("The smallest distance between two balls since the last New Simulation"));
    energyNow->describe(tr("Energy"), tr("The balls' total energy under the force law in use"));
    energyChange->describe(
        tr("Change of the energy"),
        tr("How much the energy has changed since the start, relative to its value then"));
    momentumChange->describe(tr("Change of the angular momentum"),
                             tr("How much the length of the angular momentum has changed since "
                                "the start, relative to its length then"));

    timer.setInterval(500);
    connect(&timer, &QTimer::timeout, this, &StatusBar::refresh);
    timer.start();
}

void StatusBar::addHeading(QWidget* group, const char* text) {
    auto* heading = new QLabel(tr(text), group);
    heading->setTextFormat(Qt::PlainText);
    group->layout()->addWidget(heading);
}

// A group of one value per ball, each cell in its ball's colour on grey.
void StatusBar::addBallGroup(std::array<Cell*, 3>& cells, const char* name, const char* heading,
                             const char* cellName, const char* description) {
    QWidget* group = addGroup();
    addHeading(group, heading);
    for (int i = 0; i < 3; ++i) {
        auto* cell = new Cell(valueWidth, QStringLiteral("%1 %2").arg(name).arg(i), group);
        QPalette palette = cell->palette();
        palette.setColor(QPalette::WindowText, ballColors[i]);
        palette.setColor(QPalette::Window, QColor(Qt::gray));
        cell->setPalette(palette);
        cell->describe(tr(cellName).arg(ballName(i)), tr(description));
        cells[i] = cell;
    }
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
        speed[i]->setValue(QString::fromStdString(numberText(length(balls[i].movement))));
        dist[i]->setValue(QString::fromStdString(numberText(length(balls[i].position))));
        acc[i]->setValue(
            QString::fromStdString(accelerationText(length(balls[i].lastAcceleration))));
    }
    for (int k = 0; k < 3; ++k) {
        const double d = balls[pairs[k][0]].distance(balls[pairs[k][1]]);
        minimum.lower(d);  // the only place where the running minimum is lowered
        pairDist[k]->setValue(QString::fromStdString(numberText(d)));
    }
    const QString least = QString::fromStdString(numberText(minimum.minDistanceSoFar()));
    minDist->setValue(least, tr("Min. Dist.: %1").arg(least));
    if (!conservation->isHidden())
        showConservation(balls);
}

void StatusBar::setConservationShown(bool shown) {
    setGroupShown(conservation, shown);
    refresh();
}

// For the running model's law and constant, against its starting balls; in
// printf's forms and the C locale (QString::asprintf), the same in every language.
void StatusBar::showConservation(const std::array<Ball, 3>& balls) {
    if (model_->frameDuration() == 0) {  // not started: no law yet
        for (Cell* cell : {energyNow, energyChange, momentumChange})
            cell->setValue({});
        return;
    }
    const StepParameters& run = model_->stepParameters();
    const BallList now{std::make_shared<Ball>(balls[0]), std::make_shared<Ball>(balls[1]),
                       std::make_shared<Ball>(balls[2])};
    const double e0 = energy(run.law, model_->memento(), run.gravitationalConstant);
    const double e = energy(run.law, now, run.gravitationalConstant);
    const double l0 = length(angularMomentum(run.law, model_->memento()));
    const double l = length(angularMomentum(run.law, now));
    energyNow->setValue(QString::asprintf("%.6G", e));
    energyChange->setValue(QString::asprintf("%.1E", (e - e0) / std::fabs(e0)));
    momentumChange->setValue(QString::asprintf("%.1E", (l - l0) / l0));
}

}  // namespace pellomarin
