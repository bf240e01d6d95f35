// KIVO Log Viewer
#include "detect/detectrange.h"

#include "kivoerror.h"
#include "log/depthindex.h"
#include "log/logsession.h"
#include "picks/boreholediameter.h"

#include <algorithm>

namespace kivo {

DetectRequest detectRequest(LogSession &session, std::optional<double> from,
                            std::optional<double> to, std::optional<double> diameter)
{
    DetectRequest request;
    ImageFile &file = session.imageFile();
    request.dataPath = file.path();
    request.samplesPerLine = session.layout().SamplesPerLine;
    request.feet = session.layout().DepthUnit != 0;
    const qint64 count = file.RecordCount();
    request.firstRecord = 0;
    request.lastRecord = count - 1;
    if (count == 0)
        return request;
    DepthIndex index(file, request.samplesPerLine);
    if (from)
        request.firstRecord = index.nearest(*from).value_or(0);
    if (to)
        request.lastRecord = index.nearest(*to).value_or(count - 1);
    if (request.firstRecord > request.lastRecord)
        std::swap(request.firstRecord, request.lastRecord);
    const double middle =
        (index.entry(request.firstRecord).depth + index.entry(request.lastRecord).depth) / 2000.0;
    std::optional<double> size = diameter;
    if (!size)
        size = bitSizeAt(session.header(), middle);
    if (!size && session.pickCalculator())
        size = session.pickCalculator()->fallbackDiameter();
    if (!size)
        throw KivoError(
            QStringLiteral("the log gives no bit size at %1 %2: give the hole's diameter")
                .arg(middle)
                .arg(session.layout().unitSuffix()));
    request.diameter = *size;
    return request;
}

} // namespace kivo
