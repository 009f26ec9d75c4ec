#include "app/ImageResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares the registration function at the scope it is used in, so it
// must stay outside any class or namespace.
static void registerImages()
{
    Q_INIT_RESOURCE(images);
}

void ImageResources::init()
{
    registerImages();
}
