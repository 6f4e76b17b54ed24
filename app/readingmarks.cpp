#include "readingmarks.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTextEdit>

#include <algorithm>

namespace {

QString explanation(const QList<ReadingWarning> &warnings)
{
    QStringList texts;
    for (const ReadingWarning &warning : warnings)
        texts << warning.text;
    return texts.join(QLatin1Char(' '));
}

// Keeps the mark of a text edit in its top right corner, clear of the frame and scroll bar.
class CornerMark : public QLabel
{
public:
    explicit CornerMark(QTextEdit *edit) : QLabel(edit), edit(edit)
    {
        edit->installEventFilter(this);
        const int side = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
        resize(side, side);
    }

    void place()
    {
        const QScrollBar *bar = edit->verticalScrollBar();
        const int right = edit->width() - edit->frameWidth() - (bar->isVisible() ? bar->width() : 0);
        move(right - width() - 1, edit->frameWidth() + 1);
        raise();
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            place();
        return false;
    }

private:
    QTextEdit *edit;
};

} // namespace

ReadingMarks::ReadingMarks(const QList<QWidget *> &widgets, QStatusBar *statusBar, QObject *parent)
    : QObject(parent), statusBar(statusBar)
{
    for (QWidget *widget : widgets) {
        Field field{TextField(fields.size()), widget, nullptr, nullptr, {}};
        if (auto *line = qobject_cast<QLineEdit *>(widget)) { // its mark is made when first needed
            connect(line, &QLineEdit::textChanged, this, [this, line] { check(fieldOf(line)); });
        } else if (auto *edit = qobject_cast<QTextEdit *>(widget)) {
            field.corner = new CornerMark(edit);
            field.corner->setObjectName(QStringLiteral("readingMark"));
            connect(edit, &QTextEdit::textChanged, this, [this, edit] { check(fieldOf(edit)); });
        }
        fields.append(field);
    }
    for (Field &field : fields)
        check(field);
    connect(qApp, &QApplication::focusChanged, this, &ReadingMarks::showStatus);
}

void ReadingMarks::showSummary()
{
    summaryShown = true;
    showStatus();
}

QString ReadingMarks::summary() const
{
    QStringList labels;
    for (const Field &field : fields) {
        if (misread(field.warnings))
            labels << fieldLabel(field.kind);
    }
    if (labels.isEmpty())
        return QString();
    return QStringLiteral("Attention : %1 — le jeu %2").arg(labels.join(QStringLiteral(", ")),
        labels.size() == 1 ? QStringLiteral("le lira autrement (voir le champ marqué)")
                           : QStringLiteral("les lira autrement (voir les champs marqués)"));
}

ReadingMarks::Field &ReadingMarks::fieldOf(const QWidget *widget)
{
    return *std::find_if(fields.begin(), fields.end(), [widget](const Field &f) { return f.widget == widget; });
}

void ReadingMarks::check(Field &field)
{
    const auto *line = qobject_cast<const QLineEdit *>(field.widget);
    const QString value = line ? line->text() : static_cast<const QTextEdit *>(field.widget)->toPlainText();
    field.warnings = readingWarnings(field.kind, value);

    // The mark's icon only when there is something to mark: most fields never need one.
    const QIcon icon = field.warnings.isEmpty() ? QIcon() : field.widget->style()->standardIcon(
        misread(field.warnings) ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxInformation);
    const QString text = explanation(field.warnings);
    if (auto *line = qobject_cast<QLineEdit *>(field.widget); line && !field.icon && !field.warnings.isEmpty()) {
        field.icon = new QAction(line);
        field.icon->setObjectName(QStringLiteral("readingMark"));
        line->addAction(field.icon, QLineEdit::TrailingPosition);
    }
    if (field.icon) {
        field.icon->setIcon(icon);
        field.icon->setToolTip(text);
        field.icon->setVisible(!field.warnings.isEmpty());
    } else if (field.corner) {
        auto *corner = static_cast<CornerMark *>(field.corner);
        corner->setPixmap(icon.pixmap(corner->size()));
        corner->setToolTip(text);
        corner->place();
        corner->setVisible(!field.warnings.isEmpty());
    }
    showStatus();
}

void ReadingMarks::showStatus()
{
    if (!statusBar)
        return;
    const QWidget *focus = QApplication::focusWidget();
    QString text = summaryShown ? summary() : QString();
    for (const Field &field : fields) {
        if (field.widget == focus && !field.warnings.isEmpty())
            text = explanation(field.warnings);
    }
    // Another message (a file saved) stays until one of the marks has something to say.
    if (!text.isEmpty())
        statusBar->showMessage(text);
    else if (statusBar->currentMessage() == shown)
        statusBar->clearMessage();
    shown = text;
}
