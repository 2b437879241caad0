// qumo_pictures widgets|window OUTPUT.png: draws the program's widgets or its
// main window into OUTPUT.png (widgets also writes OUTPUT_x4.png and
// OUTPUT_x2.png, enlarged pixel for pixel).
#include "widgets_picture.h"
#include "window_picture.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

namespace {

bool Save(const QImage &picture, const QString &path)
{
    if (!picture.isNull() && picture.save(path))
        return true;
    std::fprintf(stderr, "qumo_pictures: cannot write %s\n", qPrintable(path));
    return false;
}

// The small buttons four times and the layout row twice, beside the picture.
bool SaveEnlarged(const QImage &picture, const QString &path)
{
    const QFileInfo info(path);
    const QString stem = info.path() + u'/' + info.completeBaseName();
    const QImage small = picture.copy(0, 18, 300, 134);
    const QImage layouts = picture.copy(0, 166, 560, 64);
    return Save(small.scaled(small.size() * 4), stem + QStringLiteral("_x4.png")) &&
           Save(layouts.scaled(layouts.size() * 2), stem + QStringLiteral("_x2.png"));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3 || (std::strcmp(argv[1], "widgets") != 0 && std::strcmp(argv[1], "window") != 0)) {
        std::fprintf(stderr, "usage: qumo_pictures widgets|window OUTPUT.png\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString path = QFile::decodeName(argv[2]);
    if (std::strcmp(argv[1], "widgets") == 0) {
        const QImage picture = WidgetsPicture();
        return Save(picture, path) && SaveEnlarged(picture, path) ? 0 : 1;
    }
    return Save(WindowPicture(), path) ? 0 : 1;
}
