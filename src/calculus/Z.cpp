#include "calculus/Z.h"

#include "calculus/Link.h"
#include "calculus/ZDisplay.h"

#include <QCheckBox>
#include <QPainter>
#include <QRadialGradient>

Z::Z(bool displayed_)
{
    initCategory("Z");
    name = "Z";
    zValues = QVector<QVector<double>>(MaxSize, QVector<double>(MaxSize, 0.0));
    displayed = displayed_;
    if (displayed) {
        auto *d = new ZDisplay(name, "Objective function for the optimization");
        setupDisplay(d);
        // After the dialog's own handlers, which keep one box ticked.
        for (QCheckBox *box : {d->minBox(), d->maxBox()})
            QObject::connect(box, &QCheckBox::clicked, d, [this] { takeDialogSense(); });
    }
    const int hw = width / 2;
    const int hh = height / 2;
    arrowMin << QPoint(10 - hw, -hh) << QPoint(10 - hw, 10) << QPoint(-hw, 10) << QPoint(0, hh) << QPoint(hw, 10)
             << QPoint(hw - 10, 10) << QPoint(hw - 10, -hh);
    arrowMax << QPoint(10 - hw, hh) << QPoint(10 - hw, -10) << QPoint(-hw, -10) << QPoint(0, -hh)
             << QPoint(hw, -10) << QPoint(hw - 10, -10) << QPoint(hw - 10, hh);
    arrowMaxMin << QPoint(10 - hw, 10) << QPoint(10 - hw, -10) << QPoint(-hw, -10) << QPoint(0, -hh)
                << QPoint(hw, -10) << QPoint(hw - 10, -10) << QPoint(hw - 10, 10) << QPoint(hw, 10)
                << QPoint(0, hh) << QPoint(-hw, 10);
}

Z::~Z() = default;

bool Z::setLink1(Link *l)
{
    acceptLink(1, l);
    selected = false;
    return true;
}

QString Z::formula()
{
    if (!args[0])
        return "MISSING ARGUMENT";
    return args[0]->formula();
}

void Z::setMin(bool b)
{
    if (dialog)
        dialog->setObjMin(b);
    min = b;
    // Both senses off is no sense at all: clearing the last one hands over to the other,
    // as the dialog's boxes do.
    if (!min && !max)
        setMax(true);
    setOptFactor(senseFactor());
}

void Z::setMax(bool b)
{
    if (dialog)
        dialog->setObjMax(b);
    max = b;
    if (!min && !max)
        setMin(true);
    setOptFactor(senseFactor());
}

void Z::setOptFactor(double f)
{
    QMutexLocker locker(&getValueLock());
    optFactor = f;
    const int r = nbRows;
    for (int i = 0; i < r; ++i)
        zValues[i][0] = f * value[i][0];
}

bool Z::readDialogSense()
{
    if (!dialog)
        return false;
    const bool newMin = dialog->getObjMin();
    const bool newMax = dialog->getObjMax();
    if (newMin == min && newMax == max)
        return false;
    min = newMin;
    max = newMax;
    return true;
}

void Z::takeDialogSense()
{
    if (!readDialogSense())
        return;
    setOptFactor(senseFactor());
    update();
}

int Z::getObj()
{
    if (!min)
        return -1;
    return max ? 0 : 1;
}

QString Z::specificInformationToSave()
{
    if (!min)
        return "\tmax";
    return max ? "\tmaxmin" : "\tmin";
}

void Z::recompute()
{
    // The value lock is held here: the column below is scaled by the new factor.
    if (readDialogSense())
        optFactor = senseFactor();
    auto fail = [this](const QString &statusText) {
        setNoValue(statusText);
        sRows = "NA";
        sCols = "NA";
    };
    Calculus *a = args[0];
    if (!a) {
        fail("Missing argument");
        return;
    }
    QMutexLocker argLocker(&a->getValueLock());
    if (a->getNbCols() != 1) {
        fail("Argument should be a column vector");
        return;
    }
    saveTooltip(QStringLiteral("Objective value"));
    sRows = a->rowsLabel();
    sCols = a->colsLabel();
    const int r = a->getNbRows();
    // The value holds at most 32 rows; a longer column cannot be an objective.
    if (a->getError() || r == 0 || r > MaxSize) {
        fail("Objective value");
        return;
    }
    nbRows = r;
    nbCols = 1;
    for (int i = 0; i < r; ++i)
        value[i][0] = a->entry(i, 0);
    for (int i = 0; i < r; ++i)
        zValues[i][0] = optFactor * a->entry(i, 0);
}

void Z::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (!dialog)
        return;
    // The item's own sense, which the dialog's boxes set as they are clicked: the arrow shows
    // what a run and the saved text use. The factor belongs to setMin, setMax and setOptFactor.
    const bool showMin = min;
    const bool showMax = max;

    QRadialGradient gradient(QPointF(-30, -30), 100);
    gradient.setCenter(3, 3);
    gradient.setFocalPoint(3, 3);
    QColor outer, inner;
    if (selected) {
        outer = QColor(Qt::blue);
        inner = QColor(Qt::darkBlue);
    } else if (shownError) {
        outer = QColor(Qt::red);
        inner = QColor(Qt::darkRed);
    } else {
        outer = QColor(Qt::green);
        inner = QColor(Qt::darkGreen);
    }
    gradient.setColorAt(1.0, outer.lighter(120));
    gradient.setColorAt(0.0, inner.lighter(120));
    painter->setBrush(gradient);
    painter->setPen(QPen(Qt::black, 1));
    if (!showMin)
        painter->drawPolygon(arrowMax);
    else if (!showMax)
        painter->drawPolygon(arrowMin);
    else
        painter->drawPolygon(arrowMaxMin);

    painter->drawText(QRectF(-10, -25, 100, 20), name);
    const int r = dialog->getNbRows();
    const int c = dialog->getNbCols();
    painter->drawText(QRectF(-40, -10, 100, 20), (r == 1 && c == 1) ? QString::number(dialog->getValue(), 'g', 6)
                                                                   : QString("%1 x %2").arg(r).arg(c));
    if (!givenName.isEmpty()) {
        QRadialGradient tag(QPointF(-30, -30), 100);
        tag.setCenter(3, 3);
        tag.setFocalPoint(2, 2);
        tag.setColorAt(1.0, QColor(Qt::green).lighter(120));
        tag.setColorAt(0.0, QColor(Qt::green));
        painter->setBrush(tag);
        painter->setPen(QPen(Qt::black));
        painter->drawRect(QRectF(-50, -35, 100, 20));
        painter->setPen(QPen(Qt::red));
        painter->drawText(QRectF(-45, -35, 90, 20), givenName);
    }
    if (inReport()) {
        painter->setPen(QPen(Qt::red));
        painter->drawText(QRectF(30, 0, 25, 25), "*");
    }
}
