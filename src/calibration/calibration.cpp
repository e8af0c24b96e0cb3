#include "calibration/calibration.h"

#include "settings/units.h"

#include <cmath>

namespace {

constexpr RealField::Range kDistanceMm{0, 10, 0.1, 2};
constexpr RealField::Range kMeasuredMm{70, 130, 0.1, 2};
constexpr CalibrationLengths kDefaultLengths{0, 0, 100, 100};

} // namespace

CalibrationSettings::CalibrationSettings(QObject* parent)
    : QObject(parent), LinksEd("LinksEd", kDistanceMm, kDefaultLengths[0]),
      ObenEd("ObenEd", kDistanceMm, kDefaultLengths[1]),
      BreitEd("BreitEd", kMeasuredMm, kDefaultLengths[2]),
      HochEd("HochEd", kMeasuredMm, kDefaultLengths[3]) {}

// A value still being typed may lie outside its range ("-1", "1e9"); the page is always drawn
// with what the field will hold once it is left, so that no scale can be negative or absurd.
PageCalibration CalibrationSettings::forPage() const {
    return {BreitEd.clamp(BreitEd.value()) * BaseMmPerInch / 100,
            HochEd.clamp(HochEd.value()) * BaseMmPerInch / 100, LinksEd.clamp(LinksEd.value()),
            m_printersOwn ? ObenEd.clamp(ObenEd.value()) : 0};
}

void CalibrationSettings::setDefaults() {
    setLengths(kDefaultLengths);
}

std::array<RealField*, 4> CalibrationSettings::fieldsInFileOrder() {
    return {&LinksEd, &ObenEd, &BreitEd, &HochEd};
}

std::array<const RealField*, 4> CalibrationSettings::fieldsInFileOrder() const {
    return {&LinksEd, &ObenEd, &BreitEd, &HochEd};
}

CalibrationLengths CalibrationSettings::lengths() const {
    return {LinksEd.value(), ObenEd.value(), BreitEd.value(), HochEd.value()};
}

void CalibrationSettings::setLengths(const CalibrationLengths& lengths) {
    const std::array<RealField*, 4> fields = fieldsInFileOrder();
    for (size_t i = 0; i < fields.size(); ++i)
        fields[i]->setValue(lengths[i]);
}

QByteArray CalibrationSettings::toBytes() const {
    return calibrationFileBytes(lengths());
}

void CalibrationSettings::setFromBytes(QByteArrayView bytes) {
    const std::array<RealField*, 4> fields = fieldsInFileOrder();
    const std::array<std::optional<double>, 4> stored = calibrationLengthsIn(bytes);
    for (size_t i = 0; i < fields.size(); ++i) {
        if (stored[i])
            fields[i]->setValue(*stored[i]);
    }
}

Failure CalibrationSettings::damageIn(QByteArrayView bytes) const {
    if (bytes.size() > kCalibrationFileSize)
        return Failure::because(
            QStringLiteral("it is longer than %1 bytes").arg(kCalibrationFileSize));
    if (bytes.size() < kCalibrationFileSize)
        return Failure::because(QStringLiteral("it holds %1 bytes, not %2")
                                    .arg(bytes.size())
                                    .arg(kCalibrationFileSize));
    constexpr const char* kValueNames[] = {"left distance", "top distance", "width", "height"};
    const std::array<const RealField*, 4> fields = fieldsInFileOrder();
    const std::array<std::optional<double>, 4> stored = calibrationLengthsIn(bytes);
    for (size_t i = 0; i < fields.size(); ++i) {
        const QLatin1String name(kValueNames[i]);
        if (!stored[i] || !std::isfinite(*stored[i]))
            return Failure::because(QStringLiteral("its %1 is not a number").arg(name));
        const RealField::Range& range = fields[i]->range();
        if (*stored[i] < range.minimum || *stored[i] > range.maximum)
            return Failure::because(QStringLiteral("its %1, %2 mm, lies outside %3 to %4 mm")
                                        .arg(name)
                                        .arg(*stored[i])
                                        .arg(range.minimum)
                                        .arg(range.maximum));
    }
    return Failure::none();
}

void CalibrationSettings::load(const QString& fileName) {
    if (const std::optional<QByteArray> bytes = readCalibrationFile(fileName))
        setFromBytes(*bytes);
}

Failure CalibrationSettings::save(const QString& fileName) const {
    return writeCalibrationFile(fileName, lengths());
}

void loadSavedCalibration(CalibrationSettings& calibration) {
    calibration.load(savedCalibrationPath());
}
