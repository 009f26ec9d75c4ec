#include "app/ImageCatalogue.h"

const QVector<ImageCatalogue::Entry> &ImageCatalogue::entries()
{
    static const QSize icon(48, 48);
    static const QVector<Entry> entries = {
        {"ORV_Loading.png", QSize(480, 300)},
        {"icon_orv.png", QSize(256, 256)},
        {"print_screen_problem.png", QSize(1000, 600)},
        {"about.png", icon},
        {"adde.png", icon},
        {"addv.png", icon},
        {"alignx.png", icon},
        {"aligny.png", icon},
        {"analyst.png", icon},
        {"backup.png", icon},
        {"clear.png", icon},
        {"console.png", icon},
        {"doc.png", icon},
        {"exit.png", icon},
        {"graph.png", icon},
        {"halt.png", icon},
        {"hspace.png", icon},
        {"link1.png", icon},
        {"link2.png", icon},
        {"link3.png", icon},
        {"link4.png", icon},
        {"load.png", icon},
        {"load_graph.png", icon},
        {"place.png", icon},
        {"place_circle.png", icon},
        {"print.png", icon},
        {"print_graph.png", icon},
        {"problem.png", icon},
        {"record.png", icon},
        {"refresh.png", icon},
        {"reme.png", icon},
        {"remv.png", icon},
        {"run.png", icon},
        {"save_graph.png", icon},
        {"select.png", icon},
        {"toggleselect.png", icon},
        {"unselect.png", icon},
        {"vspace.png", icon},
    };
    return entries;
}

QString ImageCatalogue::path(const QString &name)
{
    return QStringLiteral(":/src/images/") + name;
}
