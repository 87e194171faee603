#include "display/QtLayoutDevice.h"

#include "markup/MarkupCharacters.h"
#include "output/Windows1251.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

QStringList FamiliesOf(int kind) {
    switch (kind) {
    case kFontKindText:
        return {QStringLiteral("Liberation Serif"), QStringLiteral("Times New Roman"),
                QStringLiteral("DejaVu Serif")};
    case kFontKindFormula:
        return {QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Serif")};
    default:
        return {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")};
    }
}

QFont BaseFont(int kind) {
    QFont font;
    font.setFamilies(FamiliesOf(kind));
    font.setWeight(QFont::Bold);
    font.setItalic(kind == kFontKindText);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

} // namespace

QChar DisplayCharacter(unsigned char byte, int kind) {
    if (kind != kFontKindText) {
        switch (byte) {
        case MarkupBytes::kNotEqual:
            return QChar(0x2260);
        case MarkupBytes::kApproximatelyEqual:
            return QChar(0x2248);
        case MarkupBytes::kGreaterOrEqual:
            return QChar(0x2265);
        case MarkupBytes::kLessOrEqual:
            return QChar(0x2264);
        case MarkupBytes::kPlusOrMinus:
            return QChar(0x00B1);
        case MarkupBytes::kDivisionSign:
            return QChar(0x00F7);
        case MarkupBytes::kSubscriptComma:
            return QChar(',');
        case '-':
            return QChar(0x2212); // a minus sign, not a hyphen
        case '*':
            return QChar(0x00B7); // a multiplication dot
        default:
            break;
        }
    }
    return QChar(static_cast<char16_t>(Windows1251ToUnicode(byte)));
}

QString DisplayText(std::string_view text, int kind) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (const char c : text) {
        result.append(DisplayCharacter(static_cast<unsigned char>(c), kind));
    }
    return result;
}

QColor ToQColor(Rgb color) {
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

CQtLayoutDevice::CQtLayoutDevice(QPaintDevice* device, QPainter* painter)
    : device_(device), painter_(painter) {}

CQtLayoutDevice::~CQtLayoutDevice() = default;

void CQtLayoutDevice::SetPainter(QPainter* painter) {
    painter_ = painter;
    painterFont_ = 0;
}

QFont CQtLayoutDevice::FontFor(const FontRequest& request) const {
    // The face's cell is larger than its em: find the pixel size whose cell is the requested height.
    const int kind =
        request.kind == kFontKindText || request.kind == kFontKindFormula ? request.kind : kFontKindSymbol;
    QFont font = BaseFont(kind);
    auto found = cellPerPixel_.find(kind);
    if (found == cellPerPixel_.end()) {
        QFont probe = font;
        probe.setPixelSize(1000);
        const double ratio = QFontMetricsF(probe, device_).height() / 1000.0;
        found = cellPerPixel_.emplace(kind, ratio > 0.1 ? ratio : 1.0).first;
    }
    const int height = std::max(request.height, 1);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(height / found->second))));
    if (request.width > 0) {
        const double average = QFontMetricsF(font, device_).averageCharWidth();
        if (average > 0) {
            font.setStretch(
                std::clamp(static_cast<int>(std::lround(100.0 * request.width / average)), 1, 4000));
        }
    }
    return font;
}

CLayoutDevice::FontHandle CQtLayoutDevice::CreateFont(const FontRequest& request) {
    auto font = std::make_unique<Font>();
    font->kind = request.kind;
    font->font = FontFor(request);
    font->metrics = QFontMetricsF(font->font, device_);
    font->height = static_cast<int>(std::lround(font->metrics.height()));
    font->ascent = static_cast<int>(std::lround(font->metrics.ascent()));
    font->aveCharWidth = static_cast<int>(std::lround(font->metrics.averageCharWidth()));
    font->advance.fill(-1);
    const FontHandle handle = nextHandle_++;
    fonts_[handle] = std::move(font);
    return handle;
}

void CQtLayoutDevice::DeleteFont(FontHandle font) {
    if (font == selectedHandle_) {
        selected_ = nullptr;
        selectedHandle_ = 0;
    }
    if (font == painterFont_) {
        painterFont_ = 0;
    }
    fonts_.erase(font);
}

void CQtLayoutDevice::SelectFont(FontHandle font) {
    const auto found = fonts_.find(font);
    selected_ = found == fonts_.end() ? nullptr : found->second.get();
    selectedHandle_ = selected_ != nullptr ? font : 0;
}

DeviceTextMetrics CQtLayoutDevice::GetTextMetrics() {
    if (selected_ == nullptr) {
        return {};
    }
    return {selected_->height, selected_->aveCharWidth};
}

int CQtLayoutDevice::Advance(Font& font, unsigned char byte) {
    int& advance = font.advance[byte];
    if (advance < 0) {
        advance =
            static_cast<int>(std::lround(font.metrics.horizontalAdvance(DisplayCharacter(byte, font.kind))));
    }
    return advance;
}

TextExtent CQtLayoutDevice::GetTextExtent(std::string_view text) {
    if (selected_ == nullptr) {
        return {};
    }
    if (text.size() == 1) {
        return {Advance(*selected_, static_cast<unsigned char>(text.front())), selected_->height};
    }
    const double width = selected_->metrics.horizontalAdvance(DisplayText(text, selected_->kind));
    return {static_cast<int>(std::lround(width)), selected_->height};
}

InkBounds CQtLayoutDevice::GetInkBounds(std::string_view text) {
    if (selected_ == nullptr) {
        return {};
    }
    // Tight bounds are relative to the baseline; the cell's top is an ascent above it.
    const QRectF ink = selected_->metrics.tightBoundingRect(DisplayText(text, selected_->kind));
    if (ink.isEmpty()) {
        return {};
    }
    const double ascent = selected_->ascent;
    return {static_cast<int>(std::floor(ink.left())), static_cast<int>(std::floor(ascent + ink.top())),
            static_cast<int>(std::ceil(ink.right())), static_cast<int>(std::ceil(ascent + ink.bottom()))};
}

void CQtLayoutDevice::SetTextColor(Rgb color) {
    textColor_ = ToQColor(color);
}

void CQtLayoutDevice::TextOut(int x, int y, std::string_view text) {
    if (painter_ == nullptr || selected_ == nullptr) {
        return;
    }
    if (painterFont_ != selectedHandle_) {
        painter_->setFont(selected_->font);
        painterFont_ = selectedHandle_;
    }
    painter_->setPen(textColor_);
    painter_->drawText(QPointF(x, y + selected_->ascent), DisplayText(text, selected_->kind));
}

void CQtLayoutDevice::DrawLine(int x1, int y1, int x2, int y2, Rgb color) {
    if (painter_ == nullptr) {
        return;
    }
    painter_->setPen(QPen(ToQColor(color), 2, Qt::SolidLine, Qt::FlatCap));
    painter_->drawLine(QPoint(x1, y1), QPoint(x2, y2));
}

void CQtLayoutDevice::FillRect(int left, int top, int right, int bottom, Rgb color) {
    if (painter_ == nullptr) {
        return;
    }
    painter_->fillRect(QRect(left, top, right - left, bottom - top), ToQColor(color));
}
