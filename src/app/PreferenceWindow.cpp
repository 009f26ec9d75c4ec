#include "app/PreferenceWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>

PreferenceWindow::PreferenceWindow()
    : cb_reload(new QCheckBox("Reload environment", this)),
      cb_ignore_updates(new QCheckBox("Ignore updates", this))
{
    auto *wd = new QPushButton("Change working directory", this);
    wd->setToolTip("Change ORV working directory");
    auto *media = new QPushButton("Change media directory", this);
    media->setToolTip("Change ORV media directory");
    auto *grid = new QGridLayout(this);
    grid->addWidget(cb_reload, 0, 0);
    grid->addWidget(cb_ignore_updates, 1, 0);
    grid->addWidget(wd, 2, 0);
    grid->addWidget(media, 3, 0);
    grid->setRowStretch(4, 1);
    // clicked() only: a box set from the stored settings sends nothing back.
    connect(cb_reload, &QCheckBox::clicked, this, &PreferenceWindow::slot_set_reload);
    connect(cb_ignore_updates, &QCheckBox::clicked, this, &PreferenceWindow::slot_set_ask_update);
    connect(wd, &QPushButton::clicked, this, &PreferenceWindow::slot_change_wd);
    connect(media, &QPushButton::clicked, this, &PreferenceWindow::slot_change_media_dir);
}

void PreferenceWindow::slot_reload(bool on)
{
    cb_reload->setChecked(on);
}

void PreferenceWindow::slot_set_reload(bool on)
{
    emit signal_set_reload(on);
}

void PreferenceWindow::slot_set_ask_update(bool on)
{
    emit signal_set_ask_update(on);
}

void PreferenceWindow::slot_ask_update(bool on)
{
    cb_ignore_updates->setChecked(on);
}

void PreferenceWindow::slot_change_wd()
{
    emit signal_change_wd();
}

void PreferenceWindow::slot_change_media_dir()
{
    emit signal_change_media_dir();
}
