// Draws the splash picture: renders an SVG drawing into a 24-bit BMP file.
//   orbelin-make-splash IN.svg OUT.bmp

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: orbelin-make-splash IN.svg OUT.bmp\n");
        return 2;
    }
    QGuiApplication application(argc, argv);
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "orbelin-make-splash: cannot read %s\n", argv[1]);
        return 1;
    }
    QImage image(renderer.defaultSize(), QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[2]), "BMP")) {
        std::fprintf(stderr, "orbelin-make-splash: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
