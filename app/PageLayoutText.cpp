#include "app/PageLayoutText.h"

#include <QMarginsF>
#include <QPageSize>
#include <QStringList>

namespace {

constexpr char kPortrait[] = "portrait";
constexpr char kLandscape[] = "landscape";
constexpr int kFieldCount = 6;

} // namespace

QString PageLayoutToText(const QPageLayout& layout) {
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    QStringList fields{
        layout.pageSize().key(),
        QLatin1String(layout.orientation() == QPageLayout::Landscape ? kLandscape : kPortrait)};
    for (const double margin : {margins.left(), margins.top(), margins.right(), margins.bottom()}) {
        fields << QString::number(margin, 'g', 6);
    }
    return fields.join(QLatin1Char(';'));
}

std::optional<QPageLayout> PageLayoutFromText(const QString& text) {
    const QStringList fields = text.split(QLatin1Char(';'));
    if (fields.size() != kFieldCount) {
        return std::nullopt;
    }
    QPageSize size;
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        if (QPageSize::key(static_cast<QPageSize::PageSizeId>(id)) == fields[0]) {
            size = QPageSize(static_cast<QPageSize::PageSizeId>(id));
            break;
        }
    }
    if (!size.isValid() ||
        (fields[1] != QLatin1String(kPortrait) && fields[1] != QLatin1String(kLandscape))) {
        return std::nullopt;
    }
    double margins[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        margins[i] = fields[2 + i].toDouble(&ok);
        // Margins beyond a quarter metre are no page's.
        if (!ok || margins[i] < 0 || margins[i] > 250) {
            return std::nullopt;
        }
    }
    const auto orientation =
        fields[1] == QLatin1String(kLandscape) ? QPageLayout::Landscape : QPageLayout::Portrait;
    return QPageLayout(size, orientation, QMarginsF(margins[0], margins[1], margins[2], margins[3]),
                       QPageLayout::Millimeter);
}
