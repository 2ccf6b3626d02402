// Build helper: draws an SVG icon as PNG files of the given sizes, for the icon theme's
// fixed-size folders. Usage: telvoran-render-icon SVG OUTPUT_DIR NAME SIZE...
// writes OUTPUT_DIR/<SIZE>x<SIZE>/NAME.png for each size (NAME may hold a folder).
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() < 5) {
    std::fputs("Usage: telvoran-render-icon SVG OUTPUT_DIR NAME SIZE...\n", stderr);
    return 2;
  }
  QSvgRenderer svg(arguments[1]);
  if (!svg.isValid()) {
    std::fprintf(stderr, "%s: not a readable SVG image\n", qPrintable(arguments[1]));
    return 1;
  }
  for (const QString& sizeText : arguments.mid(4)) {
    bool isNumber = false;
    const int size = sizeText.toInt(&isNumber);
    if (!isNumber || size < 1 || size > 4096) {
      std::fprintf(stderr, "%s: not an icon size\n", qPrintable(sizeText));
      return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    const QString file =
        QDir(arguments[2])
            .filePath(sizeText + u'x' + sizeText + u'/' + arguments[3] + QStringLiteral(".png"));
    if (!QDir().mkpath(QFileInfo(file).path()) || !image.save(file, "PNG")) {
      std::fprintf(stderr, "%s: cannot be written\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
