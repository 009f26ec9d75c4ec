#ifndef IMAGERESOURCES_H
#define IMAGERESOURCES_H

// The compiled-in images (see ImageCatalogue) live in a static library, whose unreferenced
// resource objects the linker drops: every executable calls init() once at start.
class ImageResources
{
public:
    static void init();
};

#endif
