#include "numberfield.h"

#include "formshape.h"

#include <QLineEdit>
#include <QLocale>

#include <optional>

namespace {

// The author's number with "." as its only decimal point and no blanks around it.
QString normalized(QString text, int *pos = nullptr)
{
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    int start = 0;
    while (start < text.size() && text.at(start).isSpace())
        ++start;
    int end = text.size();
    while (end > start && text.at(end - 1).isSpace())
        --end;
    if (pos)
        *pos = qBound(0, *pos - start, end - start);
    return text.mid(start, end - start);
}

// Digits with at most one decimal point: the only numbers a field reads.
bool isPlainNumber(const QString &text, int *decimals)
{
    int point = -1;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('.') && point < 0)
            point = i;
        else if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    *decimals = point < 0 ? 0 : int(text.size()) - point - 1;
    return true;
}

// The number a field reads in text, when it is one.
std::optional<double> readNumber(const QString &text)
{
    int decimals = 0;
    bool ok = false;
    const QString number = normalized(text);
    const double value = QLocale::c().toDouble(number, &ok);
    if (!ok || !isPlainNumber(number, &decimals))
        return std::nullopt;
    return value;
}

} // namespace

NumberField::NumberField(QWidget *parent) : QDoubleSpinBox(parent) {}

void NumberField::setTrailingZeros(bool keep)
{
    keepsTrailingZeros = keep;
    lineEdit()->setText(textFromValue(value()));
}

QString NumberField::textFromValue(double value) const
{
    return keepsTrailingZeros ? QDoubleSpinBox::textFromValue(value) : numberText(value, decimals(), false);
}

QValidator::State NumberField::validate(QString &input, int &pos) const
{
    input = normalized(input, &pos);
    int decimalsTyped = 0;
    if (!isPlainNumber(input, &decimalsTyped))
        return QValidator::Invalid;
    if (input.isEmpty() || input == QLatin1String("."))
        return QValidator::Intermediate;
    // Past the maximum even once rounded: more digits cannot bring it back.
    if (rounded(QLocale::c().toDouble(input)) > maximum())
        return QValidator::Invalid;
    return decimalsTyped > decimals() ? QValidator::Intermediate : QValidator::Acceptable;
}

void NumberField::fixup(QString &input) const
{
    if (const std::optional<double> number = readNumber(input))
        input = textFromValue(qBound(minimum(), rounded(*number), maximum()));
}

double NumberField::valueFromText(const QString &text) const
{
    const std::optional<double> number = readNumber(text);
    return number ? rounded(*number) : value();
}

double NumberField::rounded(double value) const
{
    // Exactly as the field rounds any value it is given to its decimals.
    return QString::number(value, 'f', decimals()).toDouble();
}
