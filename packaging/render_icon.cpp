// Build tool: renders the application icon's SVG into square PNGs.
// Usage: render_icon ICON.svg SIZE OUTPUT.png
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool sizeOk = false;
    const int size = args.value(2).toInt(&sizeOk);
    if (args.size() != 4 || !sizeOk || size <= 0) {
        std::fprintf(stderr, "usage: render_icon ICON.svg SIZE OUTPUT.png\n");
        return 2;
    }
    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    if (!image.save(args.at(3), "PNG")) {
        std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(args.at(3)));
        return 1;
    }
    return 0;
}
