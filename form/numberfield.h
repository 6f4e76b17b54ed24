#ifndef NUMBERFIELD_H
#define NUMBERFIELD_H

#include <QDoubleSpinBox>

// A number field as a French author types it: a comma is the decimal point, exactly as
// "." is, from the keyboard, the keypad or a paste, and nothing is ever read as a
// thousands separator. The field still shows and converts its numbers in its own locale
// ("." and no separators), so the text written from it does not change. More decimals than
// the field has may be typed; they are rounded to its own when the field is left, so that
// it then shows exactly the value that will be written. A field without trailing zeros
// shows and writes the shortest text of its value ("1", "0.375"), as a part's mass is written.
class NumberField : public QDoubleSpinBox
{
    Q_OBJECT
    Q_PROPERTY(bool trailingZeros READ trailingZeros WRITE setTrailingZeros)

public:
    explicit NumberField(QWidget *parent = nullptr);

    bool trailingZeros() const { return keepsTrailingZeros; }
    void setTrailingZeros(bool keep);

    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
    double valueFromText(const QString &text) const override;
    QString textFromValue(double value) const override;

private:
    double rounded(double value) const;

    bool keepsTrailingZeros = true;
};

#endif // NUMBERFIELD_H
