#include "status_bar.h"

#include <QHBoxLayout>
#include <QPainter>

#include "ball_colors.h"
#include "number_text.h"

namespace pellomarin {

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

QLabel* fixedWidthLabel(int width, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setFixedWidth(width);
    label->setAlignment(Qt::AlignLeading | Qt::AlignVCenter);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    // The four spacers share the spare width, each at least 1 wide.
    const auto spacer = [row] {
        row->addSpacerItem(new QSpacerItem(1, 0, QSizePolicy::Expanding, QSizePolicy::Minimum));
    };

    addHeading(QT_TR_NOOP("Speed:"));
    addValueCells(speed, "speed");
    spacer();
    addHeading(QT_TR_NOOP(" Acc:"));
    addValueCells(acc, "acceleration");
    spacer();
    addHeading(QT_TR_NOOP(" Dist:"));
    addValueCells(dist, "distance");
    spacer();
    addMarker(0), addMarker(1), dist01 = addPairText("distance 0-1");
    addMarker(0), addMarker(2), dist02 = addPairText("distance 0-2");
    addMarker(1), addMarker(2), dist12 = addPairText("distance 1-2");
    spacer();
    minDist = fixedWidthLabel(minimumTextWidth, this);
    minDist->setObjectName("minimum distance");
    minDist->setText(tr("Min. Dist.: %1").arg(QString()));
    row->addWidget(minDist);

    timer.setInterval(500);
    timer.setTimerType(Qt::CoarseTimer);
    connect(&timer, &QTimer::timeout, this, &StatusBar::refresh);
    timer.start();
}

QLabel* StatusBar::addHeading(const char* text) {
    auto* heading = new QLabel(tr(text), this);
    heading->setTextFormat(Qt::PlainText);
    layout()->addWidget(heading);
    return heading;
}

void StatusBar::addValueCells(std::array<QLabel*, 3>& cells, const QString& name) {
    for (int i = 0; i < 3; ++i) {
        QLabel* cell = fixedWidthLabel(valueWidth, this);
        cell->setObjectName(QStringLiteral("%1 %2").arg(name).arg(i));
        QPalette palette = cell->palette();
        palette.setColor(QPalette::WindowText, ballColors[i]);
        palette.setColor(QPalette::Window, QColor(Qt::gray));
        cell->setPalette(palette);
        cell->setAutoFillBackground(true);
        layout()->addWidget(cell);
        cells[i] = cell;
    }
}

void StatusBar::addMarker(int ball) {
    layout()->addWidget(new Marker(ballColors[ball], this));
}

QLabel* StatusBar::addPairText(const QString& name) {
    QLabel* label = fixedWidthLabel(valueWidth, this);
    label->setObjectName(name);
    layout()->addWidget(label);
    return label;
}

QString StatusBar::text(const QString& name) const {
    const auto* label = findChild<QLabel*>(name);
    return label ? label->text() : QString();
}

void StatusBar::refresh() {
    if (!model_)
        return;
    const auto balls = model_->snapshot();
    for (int i = 0; i < 3; ++i) {
        speed[i]->setText(qText(numberText(length(balls[i].movement))));
        dist[i]->setText(qText(numberText(length(balls[i].position))));
        acc[i]->setText(qText(accelerationText(length(balls[i].lastAcceleration))));
    }
    // The only place where the running minimum is lowered.
    dist01->setText(qText(numberText(balls[0].distance(balls[1]))));
    dist02->setText(qText(numberText(balls[0].distance(balls[2]))));
    dist12->setText(qText(numberText(balls[1].distance(balls[2]))));
    minDist->setText(tr("Min. Dist.: %1").arg(qText(numberText(minDistanceSoFar))));
}

}  // namespace pellomarin
