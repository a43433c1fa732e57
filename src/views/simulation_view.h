#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "model.h"

namespace pellomarin {

// The black drawing area: the three balls in perspective, repainted after
// every version the model publishes, at most once per display frame however
// short the calculation period. Main thread.
class SimulationView : public QWidget {
    Q_OBJECT

public:
    explicit SimulationView(QWidget* parent = nullptr);

    void setModel(std::shared_ptr<Model> model);
    const std::shared_ptr<Model>& model() const { return model_; }

    QSize sizeHint() const override { return {600, 600}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void versionChanged();

    std::shared_ptr<Model> model_;
    Observers::Subscription versions;
    QElapsedTimer sinceLastPaint;
    QTimer nextFrame;
};

}  // namespace pellomarin
