// quorvan-iconrender ICON.svg NAME DIR: the program's icon drawn at each size
// of the desktop's icon theme, DIR/16x16/apps/NAME.png and so on, so that no
// launcher or menu has to scale a picture of the wrong size. Run by the
// build, never installed.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

namespace {

struct IconSize
{
    int pixels;
    const char *folder;
};

const IconSize Sizes[] = {{16, "16x16"},   {32, "32x32"},   {48, "48x48"},
                          {64, "64x64"},   {128, "128x128"}, {256, "256x256"}};

bool render(QSvgRenderer &svg, const IconSize &size, const QString &path)
{
    QImage image(size.pixels, size.pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();
    return QDir().mkpath(QFileInfo(path).path()) && image.save(path, "PNG");
}

} // namespace

int main(int argc, char *argv[])
{
    // The icon's letter is drawn with a font, which needs a graphical
    // application; the build has no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 4) {
        err << QStringLiteral("Utilisation : quorvan-iconrender ICONE.svg NOM DOSSIER") << Qt::endl;
        return 2;
    }
    QSvgRenderer svg(arguments.at(1));
    if (!svg.isValid()) {
        err << QStringLiteral("Icône illisible : %1").arg(arguments.at(1)) << Qt::endl;
        return 1;
    }
    for (const IconSize &size : Sizes) {
        const QString path = QDir(arguments.at(3)).filePath(QLatin1String(size.folder) + QStringLiteral("/apps/")
                                                           + arguments.at(2) + QStringLiteral(".png"));
        if (!render(svg, size, path)) {
            err << QStringLiteral("Icône non écrite : %1").arg(path) << Qt::endl;
            return 1;
        }
    }
    return 0;
}
