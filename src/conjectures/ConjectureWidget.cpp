#include "conjectures/ConjectureWidget.h"

#include "app/ProgressBar.h"
#include "conjectures/ColumnChoice.h"
#include "conjectures/Conjecture.h"
#include "conjectures/ConjectureEngine.h"
#include "conjectures/ConjectureSettings.h"
#include "conjectures/ConjecturesDisplay.h"
#include "conjectures/HeldRelations.h"
#include "conjectures/RelationSpaces.h"
#include "dialogs/DialogProvider.h"
#include "explorer/Analyst.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMutexLocker>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>
#include <cmath>
#include <iostream>
#include <limits>

namespace {

QString number(double v)
{
    return QString::number(v, 'g', 6);
}

} // namespace

ConjectureWidget::ConjectureWidget(Analyst *table_, ConjectureSettings *settings_, ConjecturesDisplay *display_)
    : settings(settings_), table(table_), display(display_), limitMs(ConjectureEngine::DefaultLimitMs)
{
    progress = new ProgressBar();
    progress->setName("Searching Conjectures...");

    searchButton = new QPushButton("Search", this);
    settingsButton = new QPushButton("Settings", this);
    conjecturesButton = new QPushButton("Conjectures", this);
    cancelButton = new QPushButton("Cancel", this);
    cancelButton->setEnabled(false);
    sqBox = new QCheckBox("x^2", this);
    prodBox = new QCheckBox("Products", this);
    combineBox = new QCheckBox("Combine prod.", this);
    threadBox = new QSpinBox(this);
    threadBox->setRange(1, 4);
    threadBox->setValue(4);
    auto *threadLabel = new QLabel("max threads :", this);
    threadLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto *grid = new QGridLayout(this);
    grid->addWidget(sqBox, 1, 0);
    grid->addWidget(settingsButton, 1, 1);
    grid->addWidget(searchButton, 1, 2);
    grid->addWidget(prodBox, 2, 0);
    grid->addWidget(conjecturesButton, 2, 1);
    grid->addWidget(cancelButton, 2, 2);
    grid->addWidget(combineBox, 3, 0);
    grid->addWidget(threadLabel, 3, 1);
    grid->addWidget(threadBox, 3, 2);

    connect(cancelButton, &QPushButton::clicked, this, &ConjectureWidget::cancel);
    connect(settingsButton, &QPushButton::clicked, this, &ConjectureWidget::slot_settings);
    connect(searchButton, &QPushButton::clicked, this, &ConjectureWidget::slot_run);
    connect(progress, &ProgressBar::signal_cancel, this, &ConjectureWidget::cancel);
    connect(display, &ConjecturesDisplay::signal_load_graph, this, &ConjectureWidget::slot_load_graph);
    connect(conjecturesButton, &QPushButton::clicked, this, &ConjectureWidget::slot_conjecture);
}

ConjectureWidget::~ConjectureWidget()
{
    slot_stop_all();
    delete progress;
}

void ConjectureWidget::setTimeLimit(int ms)
{
    limitMs = ms;
    for (int i = 0; i < engines.size(); ++i)
        if (busy[i])
            engines[i]->setTimeLimit(ms);
}

QString ConjectureWidget::getConjectures() const
{
    return display->getConjectures();
}

QVector<double> ConjectureWidget::jobWeights(const QVector<int> &choices, int j)
{
    QVector<double> w;
    w.reserve(choices.size());
    int bit = 0;
    for (int choice : choices) {
        if (choice < 0)
            w << -1.0;
        else if (choice > 0)
            w << 1.0;
        else
            w << (((j >> bit++) & 1) ? 1.0 : -1.0);
    }
    return w;
}

void ConjectureWidget::restoreButtons()
{
    cancelButton->setEnabled(false);
    searchButton->setEnabled(true);
}

void ConjectureWidget::slot_run()
{
    cancelButton->setEnabled(true);
    searchButton->setEnabled(false);
    held.clear();
    dropRelations = false;

    header = table->getHeader();
    if (header.size() < 2) {
        refuse("Not enough variables for conjectures. Be sure to select variables from the White Board.");
        return;
    }

    choices = settings->getPatterns();
    if (choices.size() != header.size()) {
        std::cerr << choices.size() << " " << header.size() << std::endl;
        for (const QString &name : header)
            std::cerr << name.toStdString() << std::endl;
        std::cerr << "ERROR in ConjectureSettings::getPatterns() call from ConjectureWidget::slot_run()" << std::endl;
        choices = QVector<int>(header.size(), 0);
    }

    const ColumnChoice choice = ColumnChoice::choose(*table, header);
    searched = choice.searched;
    searchedNames.clear();
    const QVector<int> all = choices;
    choices.clear();
    for (int c : searched) {
        searchedNames << header[c];
        choices << all[c];
    }
    for (const QString &note : choice.notes)
        say(note);
    if (searched.isEmpty()) {
        // Nothing varies: a search could only say "COLUMN <= its value".
        display->clear();
        display->rebuild();
        restoreButtons();
        say("Conjecture search done: no column left to search; 0 relations found.");
        return;
    }

    const int both = int(std::count(choices.begin(), choices.end(), 0));
    if (both > 12) {
        refuse(QString("Too many jobs for a conjecture search: %1 columns on \"Both\" give 2^%1 jobs, and at most "
                       "%2 are allowed. In \"Settings\", set some columns to \"Lower\" or \"Upper\" (at most 12 "
                       "columns on \"Both\").")
                   .arg(both)
                   .arg(MaxJobs));
        return;
    }
    nbJobs = 1 << both;
    say(QString("The conjecture search uses %1 and the columns %2.")
            .arg(choice.rowsSearched == choice.rowsFull && choice.rowsFull > 0
                     ? QString("all %1 rows").arg(choice.rowsFull)
                     : QString("%1 of %2 rows").arg(choice.rowsSearched).arg(choice.rowsFull),
                 searchedNames.join(", ")));

    const int k = std::min(threadBox->value(), nbJobs);
    progress->set_nb_bars(k);
    progress->show();
    timerId = startTimer(100, Qt::CoarseTimer);

    for (int i = 0; i < k; ++i) {
        auto *engine = new ConjectureEngine(i);
        engines << engine;
        busy << false;
        connectEngine(engine);
    }

    cancelled = tooFewPoints = false;
    nextJob = 0;
    spaces = std::make_shared<RelationSpaces>();
    for (int i = 0; i < engines.size(); ++i)
        if (nextJob < nbJobs && !busy[i] && !cancelled)
            configure(i);
}

void ConjectureWidget::connectEngine(ConjectureEngine *engine)
{
    connect(engine, &ConjectureEngine::signal_progress, progress, &ProgressBar::slot_progress);
    connect(engine, &ConjectureEngine::signal_conjecture, this, &ConjectureWidget::slot_console);
    connect(progress, &ProgressBar::signal_cancel, engine, &ConjectureEngine::cancel);
    connect(cancelButton, &QPushButton::clicked, engine, &ConjectureEngine::cancel);
    connect(engine, &ConjectureEngine::signal_complete, this, &ConjectureWidget::slot_job_complete);
    connect(engine, &ConjectureEngine::signal_new_conjecture, this, &ConjectureWidget::slot_add_conjecture);
    connect(engine, &ConjectureEngine::signal_not_enough_points, this, &ConjectureWidget::cancel);
    connect(this, &ConjectureWidget::signal_timer, engine, &ConjectureEngine::slot_timer);
}

void ConjectureWidget::configure(int e)
{
    ConjectureEngine *engine = engines[e];
    engine->clear();
    engine->setSq(sqBox->isChecked());
    engine->setProd(prodBox->isChecked());
    engine->setCombine(combineBox->isChecked());
    engine->setHeader(searchedNames);
    engine->setWeights(jobWeights(choices, nextJob));
    engine->setTimeLimit(limitMs);
    engine->setSpaces(spaces);
    const int rows = table->nbRows();
    QVector<double> point(searched.size());
    for (int r = 0; r < rows; ++r) {
        // A row of another width (the table was rebuilt since the search started) gives no
        // point. A cell without a value goes as NaN: the engine leaves the row out of the
        // search, and its texts hold on the row where they name no such cell.
        if (table->rowLength(r) != header.size())
            continue;
        for (int k = 0; k < searched.size(); ++k) {
            const double v = table->value(r, searched[k]);
            point[k] = ColumnChoice::missing(v) ? std::nan("") : v;
        }
        engine->addPoint(point, table->graphNo(r));
    }
    busy[e] = true;
    engine->start();
    ++nextJob;
}

void ConjectureWidget::slot_job_complete()
{
    QMutexLocker lock(&mutex);
    if (engines.isEmpty())
        return;
    // The engine's flag drops just before it signals; its thread may still be returning.
    const int done = engines.indexOf(qobject_cast<ConjectureEngine *>(sender()));
    if (done >= 0) {
        engines[done]->wait();
        busy[done] = false;
    }
    for (int i = 0; i < engines.size(); ++i)
        if (nextJob < nbJobs && !busy[i] && !cancelled) {
            configure(i);
            return;
        }
    if (busy.contains(true))
        return;
    endSearch();
}

void ConjectureWidget::endSearch()
{
    display->clear();
    for (Conjecture *c : held.ordered())
        display->addConjecture(c);
    display->rebuild();
    progress->hide();
    deleteEngines();
    restoreButtons();
    announceEnd();
}

void ConjectureWidget::announceEnd()
{
    const QString found = QString("%1 relation%2 found.").arg(held.size()).arg(held.size() == 1 ? "" : "s");
    if (tooFewPoints)
        say("Conjecture search stopped, not enough data points: " + found);
    else if (cancelled)
        say(QString("Conjecture search cancelled (%1 of %2 jobs started): ").arg(nextJob).arg(nbJobs) + found);
    else
        say(QString("Conjecture search done: %1 job%2 of %3 s each: ")
                .arg(nbJobs)
                .arg(nbJobs == 1 ? "" : "s")
                .arg(number(limitMs / 1000.0)) +
            found);
}

void ConjectureWidget::refuse(const QString &reason)
{
    emit signal_console("Conjecture search refused. " + reason, false, 0, QColor(Qt::red));
    DialogProvider::instance()->warning(this, "Conjecture engine", reason);
    restoreButtons();
}

void ConjectureWidget::deleteEngines()
{
    if (timerId != 0) {
        killTimer(timerId);
        timerId = 0;
    }
    for (ConjectureEngine *engine : engines) {
        disconnect(engine, nullptr, this, nullptr);
        disconnect(engine, nullptr, progress, nullptr);
        disconnect(progress, nullptr, engine, nullptr);
        disconnect(cancelButton, nullptr, engine, nullptr);
        disconnect(this, nullptr, engine, nullptr);
        delete engine;  // its thread has finished: waited for at its completion or by the caller
    }
    engines.clear();
    busy.clear();
    // No copy is to come: the rows go with the search.
    spaces.reset();
    held.forgetRows();
}

void ConjectureWidget::cancel()
{
    cancelled = true;
    // An engine with too few points asks for the end of the search, as the buttons do.
    if (qobject_cast<ConjectureEngine *>(sender()))
        tooFewPoints = true;
}

void ConjectureWidget::slot_stop_all()
{
    if (engines.isEmpty())
        return;
    cancelled = true;
    for (ConjectureEngine *engine : engines)
        engine->cancel();
    for (ConjectureEngine *engine : engines)
        engine->wait();
    // Reports still queued from the engines point into records that die with them.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    progress->hide();
    deleteEngines();
    restoreButtons();
    announceEnd();
}

void ConjectureWidget::slot_clear_database()
{
    if (!engines.isEmpty()) {
        cancelled = true;
        dropRelations = true;
        for (ConjectureEngine *engine : engines)
            engine->cancel();
    }
    held.clear();
    display->clear();
}

void ConjectureWidget::slot_add_conjecture(Conjecture *c)
{
    if (c == nullptr || dropRelations)
        return;
    // Copied on receipt: the engine frees its records when its next job begins.
    held.add(*c);
}

void ConjectureWidget::slot_settings()
{
    settings->setVisible(settings->isHidden());
}

void ConjectureWidget::slot_conjecture()
{
    display->setVisible(display->isHidden());
}

void ConjectureWidget::slot_load_graph(int graphNo)
{
    table->load(graphNo);
}

void ConjectureWidget::slot_console(QString text)
{
    emit signal_console(text, false, 1, QColor(Qt::blue));
}

void ConjectureWidget::say(const QString &text)
{
    emit signal_console(text, false, 0, QColor(Qt::blue));
}

void ConjectureWidget::timerEvent(QTimerEvent *)
{
    emit signal_timer();
}
