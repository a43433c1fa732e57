#include "settings.h"

#include <cmath>

namespace pellomarin {

double MemoryStore::read(std::string_view key) const {
    const auto found = values.find(key);
    return found == values.end() ? 0.0 : found->second;
}

void MemoryStore::write(std::string_view key, double value) {
    values.insert_or_assign(std::string(key), value);
}

namespace {

bool isUsable(const Setting& setting, double value) {
    return value > 0.0 && std::isfinite(value) && (!setting.isUsable || setting.isUsable(value));
}

double valueForUse(const SettingsStore& store, const Setting& setting) {
    const double value = store.read(setting.key);
    return isUsable(setting, value) ? value : setting.defaultValue;
}

}  // namespace

double readForUse(SettingsStore& store, const Setting& setting) {
    const double value = store.read(setting.key);
    if (isUsable(setting, value))
        return value;
    store.write(setting.key, setting.defaultValue);
    return setting.defaultValue;
}

std::array<double, 3> readMasses(SettingsStore& store) {
    std::array<double, 3> masses;
    for (int i = 0; i < 3; ++i)
        masses[i] = readForUse(store, settings::mass[i]);
    return masses;
}

RunSettings readRunSettings(SettingsStore& store) {
    const double period = readForUse(store, settings::calculationPeriod);
    return {period, readForUse(store, settings::gravitationalConstant)};
}

RunSettings upcomingRunSettings(const SettingsStore& store) {
    return {valueForUse(store, settings::calculationPeriod),
            valueForUse(store, settings::gravitationalConstant)};
}

}  // namespace pellomarin
