#include "textfit.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOption>

namespace {

// Where the widget's text starts, in its own coordinates, and what it reads.
bool drawnText(const QWidget *widget, int *left, QString *text)
{
    QStyle *style = widget->style();
    if (auto *label = qobject_cast<const QLabel *>(widget)) {
        *text = label->text(); // the form's labels have no margin and no indent
        *left = style->itemTextRect(label->fontMetrics(), label->contentsRect(), int(label->alignment()),
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
        *text = option.text;
        *left = style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group).left();
        return true;
    }
    return false;
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

int numberOverflow(const QAbstractSpinBox *field, const QString &text)
{
    // A line edit keeps 2 pixels of margin on each side, and scrolls once the text, one
    // pixel beyond it and the cursor's pixel do not fit between them.
    const QLineEdit *edit = field->findChild<const QLineEdit *>();
    const int used = qRound(QFontMetricsF(edit->font()).horizontalAdvance(text)) + 2;
    return used - (edit->contentsRect().width() - 4);
}
