#include "partchoice.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// A list longer than this is no list to choose from; the rest stays in the file.
constexpr int partsListed = 1000;
}

PartChoice::PartChoice(const QString &fileName, const QStringList &parts, QWidget *parent)
    : QDialog(parent), list(new QListWidget)
{
    setWindowTitle(QStringLiteral("Ouvrir une pièce"));
    const QLocale french(QLocale::French);
    QString question = QStringLiteral("%1 définit %2 pièces ; laquelle ouvrir ?").arg(fileName, french.toString(parts.size()));
    if (parts.size() > partsListed)
        question = QStringLiteral("%1 définit %2 pièces ; laquelle des %3 premières ouvrir ?")
                       .arg(fileName, french.toString(parts.size()), french.toString(partsListed));
    auto *label = new QLabel(question);
    label->setWordWrap(true);
    list->setObjectName(QStringLiteral("parts"));
    list->setUniformItemSizes(true);
    list->addItems(parts.mid(0, partsListed));
    list->setCurrentRow(0);
    auto *buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("Ouvrir"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(list);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list, &QListWidget::itemActivated, this, &QDialog::accept);
}

int PartChoice::choose(const QString &fileName, const QStringList &parts, QWidget *parent)
{
    PartChoice dialog(fileName, parts, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.list->currentRow() : -1;
}
