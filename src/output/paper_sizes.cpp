#include "output/paper_sizes.h"

namespace {

constexpr NamedPaper kPapers[] = {
    {"A3", {2970, 4200}}, {"A4", {2100, 2970}},     {"A5", {1480, 2100}},    {"A6", {1050, 1480}},
    {"B5", {1760, 2500}}, {"Letter", {2159, 2794}}, {"Legal", {2159, 3556}},
};

constexpr int kTenthsOfMmPerInch = 254;
constexpr double kPointsPerTenthOfMm = 72.0 / kTenthsOfMmPerInch;

} // namespace

std::span<const NamedPaper> namedPapers() {
    return kPapers;
}

QStringList namedPaperNames() {
    QStringList names;
    for (const NamedPaper& paper : kPapers)
        names << QLatin1String(paper.name);
    return names;
}

std::optional<QSize> paperNamed(const QString& name) {
    for (const NamedPaper& paper : kPapers) {
        if (name.compare(QLatin1String(paper.name), Qt::CaseInsensitive) == 0)
            return paper.tenthsOfMm;
    }
    return std::nullopt;
}

QSize paperPixels(QSize tenthsOfMm, int dotsPerInch) {
    return QSize(qint64(tenthsOfMm.width()) * dotsPerInch / kTenthsOfMmPerInch,
                 qint64(tenthsOfMm.height()) * dotsPerInch / kTenthsOfMmPerInch);
}

QSizeF paperPoints(QSize tenthsOfMm) {
    return QSizeF(tenthsOfMm) * kPointsPerTenthOfMm;
}

std::optional<QSize> paperOfPixels(QSize pixels, int dotsPerInch) {
    for (const NamedPaper& paper : kPapers) {
        for (const QSize sheet : {paper.tenthsOfMm, paper.tenthsOfMm.transposed()}) {
            if (paperPixels(sheet, dotsPerInch) == pixels)
                return sheet;
        }
    }
    return std::nullopt;
}
