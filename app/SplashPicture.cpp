#include "app/SplashPicture.h"

#include <QPainter>

#include <chrono>

bool CSplashPicture::Load(const QString& path) {
    m_picture = QImage(path);
    if (m_picture.isNull()) {
        Unload();
        return false;
    }
    m_shown = QImage(m_picture.size(), QImage::Format_ARGB32_Premultiplied);
    m_shown.fill(Qt::transparent);
    m_framesLeft = kRevealFrames + 1;
    m_random.seed(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    return true;
}

void CSplashPicture::Unload() {
    m_picture = QImage();
    m_shown = QImage();
    m_framesLeft = 0;
}

bool CSplashPicture::RevealNextFrame() {
    if (m_framesLeft == 0) {
        return false;
    }
    --m_framesLeft;
    if (m_framesLeft == 0) {
        RevealAll();
        return false;
    }
    const int columns = std::max(1, m_picture.width() / kBlockSide);
    const int rows = std::max(1, m_picture.height() / kBlockSide);
    std::uniform_int_distribution<int> column(0, columns - 1);
    std::uniform_int_distribution<int> row(0, rows - 1);
    QPainter painter(&m_shown);
    for (int i = 0; i < kRevealBlocks / kRevealFrames; ++i) {
        const QRect block(column(m_random) * kBlockSide, row(m_random) * kBlockSide, kBlockSide, kBlockSide);
        painter.drawImage(block.topLeft(), m_picture, block);
    }
    return true;
}

void CSplashPicture::RevealAll() {
    m_framesLeft = 0;
    m_shown = m_picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
