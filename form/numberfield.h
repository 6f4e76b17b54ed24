#ifndef NUMBERFIELD_H
#define NUMBERFIELD_H

#include <QDoubleSpinBox>

// A number field as a French author types it: a comma is the decimal point, exactly as
// "." is, from the keyboard, the keypad or a paste, and nothing is ever read as a
// thousands separator. The field still shows and converts its numbers in its own locale
// ("." and no separators), so the text written from it does not change. More decimals than
// the field has may be typed; they are rounded to its own when the field is left, so that
// it then shows exactly the value that will be written.
class NumberField : public QDoubleSpinBox
{
    Q_OBJECT

public:
    explicit NumberField(QWidget *parent = nullptr);

    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
    double valueFromText(const QString &text) const override;

private:
    double rounded(double value) const;
};

#endif // NUMBERFIELD_H
