// plimo-icon-png: writes the picture of a one-image .ico file as a PNG, for
// the desktop's icon theme.
//
//   plimo-icon-png ICON_FILE PNG_FILE
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: plimo-icon-png ICON_FILE PNG_FILE\n");
        return 2;
    }
    QImageReader reader(QString::fromLocal8Bit(argv[1]), "ico");
    QImage image = reader.read();
    if (image.isNull()) {
        std::fprintf(stderr, "plimo-icon-png: cannot read %s: %s\n", argv[1],
                     qPrintable(reader.errorString()));
        return 1;
    }
    if (!image.convertToFormat(QImage::Format_ARGB32).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "plimo-icon-png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
