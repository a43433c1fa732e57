#include "content_view.h"

#include <QVBoxLayout>

#include "simulation_view.h"
#include "status_bar.h"

namespace pellomarin {

ContentView::ContentView(MinimumDistance& minimum, QWidget* parent)
    : QWidget(parent), simulation(new SimulationView(this)), status(new StatusBar(minimum, this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(simulation, 1);
    auto* inset = new QVBoxLayout;  // 3 on the leading and bottom edges only
    inset->setContentsMargins(3, 0, 0, 3);
    inset->addWidget(status);
    column->addLayout(inset);
}

void ContentView::setModel(const std::shared_ptr<Model>& model) {
    simulation->setModel(model);
    status->setModel(model);
}

}  // namespace pellomarin
