// Any bytes read as the calibration file: every value within its field's range, and what is
// written again reads back the same.
#include "calibration/calibration.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CalibrationSettings calibration;
    calibration.setFromBytes(QByteArrayView(data, qsizetype(size)));
    for (const RealField* field :
         {&calibration.LinksEd, &calibration.ObenEd, &calibration.BreitEd, &calibration.HochEd}) {
        const double v = field->value();
        if (!std::isfinite(v) || v < field->range().minimum || v > field->range().maximum)
            std::abort();
    }
    if (!(calibration.forPage().MmPerInchX > 0) || !(calibration.forPage().MmPerInchY > 0))
        std::abort();

    const QByteArray saved = calibration.toBytes();
    CalibrationSettings reread;
    reread.setFromBytes(saved);
    if (saved.size() != 32 || reread.toBytes() != saved)
        std::abort();
    return 0;
}
