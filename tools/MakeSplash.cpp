// Draws the splash picture and the program's icons: renders an SVG drawing into a 24-bit BMP file,
// or into a PNG file with a transparent background, SIZE pixels square when SIZE is given.
//   orbelin-make-splash IN.svg OUT.bmp|OUT.png [SIZE]

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: orbelin-make-splash IN.svg OUT.bmp|OUT.png [SIZE]\n");
        return 2;
    }
    QGuiApplication application(argc, argv);
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "orbelin-make-splash: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    const bool png = out.endsWith(QStringLiteral(".png"));
    const int size = argc == 4 ? std::atoi(argv[3]) : 0;
    if (argc == 4 && (size < 1 || size > 4096)) {
        std::fprintf(stderr, "orbelin-make-splash: SIZE must be 1 to 4096\n");
        return 2;
    }
    QImage image(size > 0 ? QSize(size, size) : renderer.defaultSize(),
                 png ? QImage::Format_ARGB32 : QImage::Format_RGB888);
    image.fill(png ? Qt::transparent : Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    if (!image.save(out, png ? "PNG" : "BMP")) {
        std::fprintf(stderr, "orbelin-make-splash: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
