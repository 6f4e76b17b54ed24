#include "formshape.h"

QString numberText(double value, int decimals, bool trailingZeros)
{
    QString text = QString::number(value, 'f', decimals);
    if (!trailingZeros && text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}
