#ifndef PREFERENCEWINDOW_H
#define PREFERENCEWINDOW_H

#include <QDialog>

class QCheckBox;

// The inspector's "Preferences" page. It keeps no setting: every click goes out as a signal
// and the main widget stores it; the boxes are set back from the store without echo.
class PreferenceWindow : public QDialog
{
    Q_OBJECT

public:
    PreferenceWindow();

    QCheckBox *reloadBox() const { return cb_reload; }
    QCheckBox *ignoreUpdatesBox() const { return cb_ignore_updates; }

signals:
    void signal_set_reload(bool);
    void signal_change_wd();
    void signal_change_media_dir();
    void signal_set_ask_update(bool);

public slots:
    void slot_reload(bool on);
    void slot_set_reload(bool on);
    void slot_set_ask_update(bool on);
    void slot_ask_update(bool on);
    void slot_change_wd();
    void slot_change_media_dir();

private:
    QCheckBox *cb_reload;
    QCheckBox *cb_ignore_updates;
};

#endif
