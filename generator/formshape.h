#ifndef FORMSHAPE_H
#define FORMSHAPE_H

#include "generationrequest.h"

#include <QStringList>
#include <QVector>

// A number as its field shows it and the text writes it: fixed notation with the field's
// decimals, "." as the decimal point, no group separator; with trailingZeros false, the
// shortest such text ("1", "0.375").
QString numberText(double value, int decimals, bool trailingZeros = true);

// What the form's fields hold, as its widgets say, so that a part file read back gives
// each field what it would show had the author typed the file's value into it.
struct FormShape
{
    struct Field
    {
        QString GenerationRequest::*entry = nullptr;
        QString label;       // as the form shows it, without its colon
        int decimals = -1;   // a number field's; -1 for a text
        double maximum = 0;  // a number field's largest value; its smallest is 0
        QStringList choices; // a drop-down list's entries; empty for any other field
        int maxLength = 0;   // a text field's longest text
        bool trailingZeros = true; // a number field's text keeps every decimal (1.50), else the shortest (1.5)
    };

    GenerationRequest fresh; // the form as it opens
    QVector<Field> fields;

    const Field *field(QString GenerationRequest::*entry) const
    {
        for (const Field &f : fields) {
            if (f.entry == entry)
                return &f;
        }
        return nullptr;
    }
};

#endif // FORMSHAPE_H
