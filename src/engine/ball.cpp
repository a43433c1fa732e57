#include "ball.h"

#include <cmath>

namespace pellomarin {

Ball::Ball(std::int64_t id_, Triple position_, double mass_, Triple movement_)
    : id(id_),
      position(position_),
      mass(mass_),
      movement(movement_),
      radius(std::pow(mass_, oneThird)),
      lastAcceleration(Triple::zero) {}

std::shared_ptr<Ball> Ball::copy() const {
    auto copied = std::make_shared<Ball>(*this);
    copied->lastAcceleration = Triple::zero;
    return copied;
}

double Ball::distance(const Ball& to) const {
    const double dx = position.x() - to.position.x();
    const double dy = position.y() - to.position.y();
    const double dz = position.z() - to.position.z();
    return std::sqrt((dx * dx + dy * dy) + dz * dz);
}

std::string Ball::description() const {
    return "position: " + position.description() + ", movement: " + movement.description();
}

}  // namespace pellomarin
