#include "settings.h"

#include <charconv>
#include <cmath>

#include "text_fields.h"

namespace pellomarin {

double SettingsStore::read(std::string_view key) const {
    const std::string stored = readText(key);
    const std::string_view text = trimmed(stored);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0.0;
}

void SettingsStore::write(std::string_view key, double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;  // shortest round trip
    writeText(key, std::string_view(text, std::size_t(end - text)));
}

std::string MemoryStore::readText(std::string_view key) const {
    const auto found = values.find(key);
    return found == values.end() ? std::string() : found->second;
}

void MemoryStore::writeText(std::string_view key, std::string_view text) {
    values.insert_or_assign(std::string(key), std::string(text));
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

RunSettings readRunSettings(SettingsStore& store, const StartOptions& named) {
    RunSettings run = upcomingRunSettings(store, named);
    if (!named.periodMs)
        run.periodMs = readForUse(store, settings::calculationPeriod);
    if (!named.gravity)
        run.gravitationalConstant = readForUse(store, settings::gravitationalConstant);
    if (!named.method && store.readText(settings::integrationMethod) != methodName(run.method))
        store.writeText(settings::integrationMethod, methodName(run.method));
    if (!named.law && store.readText(settings::forceLaw) != lawName(run.law))
        store.writeText(settings::forceLaw, lawName(run.law));
    return run;
}

RunSettings upcomingRunSettings(const SettingsStore& store, const StartOptions& named) {
    return {named.periodMs.value_or(valueForUse(store, settings::calculationPeriod)),
            named.gravity.value_or(valueForUse(store, settings::gravitationalConstant)),
            named.method.value_or(integrationMethod(store.readText(settings::integrationMethod))
                                      .value_or(IntegrationMethod::euler)),
            named.law.value_or(
                forceLaw(store.readText(settings::forceLaw)).value_or(ForceLaw::inverseDistance))};
}

}  // namespace pellomarin
