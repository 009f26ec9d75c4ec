#ifndef IMAGECATALOGUE_H
#define IMAGECATALOGUE_H

#include <QSize>
#include <QString>
#include <QVector>

// The pictures compiled into the program under ":/src/images/", with their sizes. They are
// drawn by scripts/images/make_images.cpp, which paints exactly the images listed here.
class ImageCatalogue
{
public:
    struct Entry {
        QString name; // file name, e.g. "run.png"
        QSize size;   // pixels
    };

    static const QVector<Entry> &entries();
    // ":/src/images/" followed by the name.
    static QString path(const QString &name);
};

#endif
