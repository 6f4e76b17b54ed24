#include "formfont.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace {

// Where the widget's text starts, in its own coordinates, and what it reads.
bool drawnText(const QWidget *widget, int *left, QString *text)
{
    QStyle *style = widget->style();
    if (auto *label = qobject_cast<const QLabel *>(widget)) {
        const int margin = label->margin();
        QRect area = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        if (label->indent() > 0 && (label->alignment() & Qt::AlignLeft))
            area.setLeft(area.left() + label->indent());
        *text = label->text();
        *left = style->itemTextRect(label->fontMetrics(), area, int(label->alignment()),
                                    label->isEnabled(), *text).left();
        return true;
    }
    if (auto *box = qobject_cast<const QCheckBox *>(widget)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        *text = option.text;
        *left = style->subElementRect(QStyle::SE_CheckBoxContents, &option, box).left();
        return true;
    }
    if (auto *group = qobject_cast<const QGroupBox *>(widget)) {
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.textAlignment = group->alignment();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        if (group->isCheckable())
            option.subControls |= QStyle::SC_GroupBoxCheckBox;
        if (group->isFlat())
            option.features |= QStyleOptionFrame::Flat;
        *text = option.text;
        *left = style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group).left();
        return true;
    }
    return false;
}

QString formFamily()
{
#ifdef Q_OS_WIN
    return QStringLiteral("MS Shell Dlg 2");
#else
    // By its exact name: a family that the system substitutes for it lacks its metrics.
    const QString tahoma = QStringLiteral("Tahoma");
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const bool installed = QFontDatabase::families().contains(tahoma);
#else
    const bool installed = QFontDatabase().families().contains(tahoma);
#endif
    if (installed)
        return tahoma;
    // Wine's own Tahoma (Debian's fonts-wine, LGPL), made with Tahoma's metrics,
    // is kept out of the system's font configuration: load it for this program.
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(TALLOWIN_TAHOMA_FILE));
    return QFontDatabase::applicationFontFamilies(id).value(0); // none: the platform's own
#endif
}

bool everyTextFits(QWidget *form)
{
    // Lays the form out now, for the font just set, as showing it would.
    for (QLayout *layout : form->window()->findChildren<QLayout *>())
        layout->activate();
    const auto widgets = form->findChildren<QWidget *>();
    return std::all_of(widgets.begin(), widgets.end(),
                       [](const QWidget *widget) { return textOverflow(widget) <= 2; });
}

} // namespace

int textOverflow(const QWidget *widget)
{
    int left = 0;
    QString text;
    if (!drawnText(widget, &left, &text))
        return 0;
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    const int right = left + widget->fontMetrics().horizontalAdvance(text);

    int visibleRight = widget->width();
    for (const QWidget *parent = widget->parentWidget(); parent && !parent->isWindow();
         parent = parent->parentWidget())
        visibleRight = qMin(visibleRight, widget->mapFrom(parent, QPoint(parent->width(), 0)).x());
    return right - visibleRight;
}

void setFormFont(QWidget *form)
{
    QFont font; // sets only what is set below, inherits the rest
    const QString family = formFamily();
    if (!family.isEmpty())
        font.setFamily(family);
    form->ensurePolished();
    const qreal smallest = 6;
    for (qreal size = 8; ; size -= 0.5) {
        font.setPointSizeF(size);
        form->setFont(font);
        if (size <= smallest || everyTextFits(form))
            return;
    }
}
