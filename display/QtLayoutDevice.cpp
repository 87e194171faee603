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
    : m_device(device), m_painter(painter) {}

CQtLayoutDevice::~CQtLayoutDevice() = default;

void CQtLayoutDevice::SetPainter(QPainter* painter) {
    m_painter = painter;
    m_painterFont = 0;
}

QFont CQtLayoutDevice::FontFor(const FontRequest& request) const {
    // The face's cell is larger than its em: find the pixel size whose cell is the requested height.
    const int kind =
        request.kind == kFontKindText || request.kind == kFontKindFormula ? request.kind : kFontKindSymbol;
    QFont font = BaseFont(kind);
    auto found = m_cellPerPixel.find(kind);
    if (found == m_cellPerPixel.end()) {
        QFont probe = font;
        probe.setPixelSize(1000);
        const double ratio = QFontMetricsF(probe, m_device).height() / 1000.0;
        found = m_cellPerPixel.emplace(kind, ratio > 0.1 ? ratio : 1.0).first;
    }
    const int height = std::max(request.height, 1);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(height / found->second))));
    if (request.width > 0) {
        const double average = QFontMetricsF(font, m_device).averageCharWidth();
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
    font->metrics = QFontMetricsF(font->font, m_device);
    font->height = static_cast<int>(std::lround(font->metrics.height()));
    font->ascent = static_cast<int>(std::lround(font->metrics.ascent()));
    font->aveCharWidth = static_cast<int>(std::lround(font->metrics.averageCharWidth()));
    font->advance.fill(-1);
    const FontHandle handle = m_nextHandle++;
    m_fonts[handle] = std::move(font);
    return handle;
}

void CQtLayoutDevice::DeleteFont(FontHandle font) {
    if (font == m_selectedHandle) {
        m_selected = nullptr;
        m_selectedHandle = 0;
    }
    if (font == m_painterFont) {
        m_painterFont = 0;
    }
    m_fonts.erase(font);
}

void CQtLayoutDevice::SelectFont(FontHandle font) {
    const auto found = m_fonts.find(font);
    m_selected = found == m_fonts.end() ? nullptr : found->second.get();
    m_selectedHandle = m_selected != nullptr ? font : 0;
}

DeviceTextMetrics CQtLayoutDevice::GetTextMetrics() {
    if (m_selected == nullptr) {
        return {};
    }
    return {m_selected->height, m_selected->aveCharWidth};
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
    if (m_selected == nullptr) {
        return {};
    }
    if (text.size() == 1) {
        return {Advance(*m_selected, static_cast<unsigned char>(text.front())), m_selected->height};
    }
    const double width = m_selected->metrics.horizontalAdvance(DisplayText(text, m_selected->kind));
    return {static_cast<int>(std::lround(width)), m_selected->height};
}

InkBounds CQtLayoutDevice::GetInkBounds(std::string_view text) {
    if (m_selected == nullptr) {
        return {};
    }
    // Tight bounds are relative to the baseline; the cell's top is an ascent above it.
    const QRectF ink = m_selected->metrics.tightBoundingRect(DisplayText(text, m_selected->kind));
    if (ink.isEmpty()) {
        return {};
    }
    const double ascent = m_selected->ascent;
    return {static_cast<int>(std::floor(ink.left())), static_cast<int>(std::floor(ascent + ink.top())),
            static_cast<int>(std::ceil(ink.right())), static_cast<int>(std::ceil(ascent + ink.bottom()))};
}

void CQtLayoutDevice::SetTextColor(Rgb color) {
    m_textColor = ToQColor(color);
}

void CQtLayoutDevice::TextOut(int x, int y, std::string_view text) {
    if (m_painter == nullptr || m_selected == nullptr) {
        return;
    }
    if (m_painterFont != m_selectedHandle) {
        m_painter->setFont(m_selected->font);
        m_painterFont = m_selectedHandle;
    }
    m_painter->setPen(m_textColor);
    m_painter->drawText(QPointF(x, y + m_selected->ascent), DisplayText(text, m_selected->kind));
}

void CQtLayoutDevice::DrawLine(int x1, int y1, int x2, int y2, Rgb color) {
    if (m_painter == nullptr) {
        return;
    }
    m_painter->setPen(QPen(ToQColor(color), m_lineWidth, Qt::SolidLine, Qt::FlatCap));
    m_painter->drawLine(QPoint(x1, y1), QPoint(x2, y2));
}

void CQtLayoutDevice::FillRect(int left, int top, int right, int bottom, Rgb color) {
    if (m_painter == nullptr) {
        return;
    }
    m_painter->fillRect(QRect(left, top, right - left, bottom - top), ToQColor(color));
}
