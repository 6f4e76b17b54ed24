#include "fencodegenere.h"
#include "partfile.h"
#include "questions.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

FenCodeGenere::FenCodeGenere(const QString &code, QWidget *parent,
                             const QString &partName)
    : QDialog(parent), codeGenere(code), nomPiece(partName)
{
    texte = new QTextEdit;
    texte->setPlainText(code);
    texte->setFont(QFont(QStringLiteral("Verdana")));

    fermer = new QPushButton(QStringLiteral("Fermer"));

    QGuiApplication::clipboard()->setText(code, QClipboard::Clipboard);

    copier = new QPushButton(QStringLiteral("Copier le texte généré"));
    enregistrer = new QPushButton(QStringLiteral("Enregister sous..."));

    // Named as their members, as the form's widgets are.
    texte->setObjectName(QStringLiteral("texte"));
    fermer->setObjectName(QStringLiteral("fermer"));
    copier->setObjectName(QStringLiteral("copier"));
    enregistrer->setObjectName(QStringLiteral("enregistrer"));

    auto *layout = new QVBoxLayout;
    layout->addWidget(texte);
    layout->addWidget(copier);
    layout->addWidget(enregistrer);
    layout->addWidget(fermer);
    // 1200 x 800, but never beyond the screen: on a small or highly scaled
    // screen the buttons at the bottom would be out of reach.
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    QSize size(1200, 800);
    if (screen)
        size = size.boundedTo(screen->availableGeometry().size() * 0.9);
    resize(size);
    setLayout(layout);

    connect(fermer, &QPushButton::clicked, this, &QDialog::accept);
    connect(copier, &QPushButton::clicked, this,
            [this] { CtrlC(codeGenere, QGuiApplication::clipboard()); });
    connect(enregistrer, &QPushButton::clicked, this,
            [this] { Save(codeGenere); });
}

FenCodeGenere::~FenCodeGenere() = default;

void FenCodeGenere::keepLinesOf(const QString &openedFile, int linesLeftOut)
{
    fichierOuvert = openedFile;
    lignesPerdues = linesLeftOut;
}

void FenCodeGenere::CtrlC(const QString &code, QClipboard *clipboard)
{
    clipboard->setText(code, QClipboard::Clipboard);
}

void FenCodeGenere::Save(const QString &code)
{
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Enregistrer la configuration"), proposedPartFile(nomPiece),
        QStringLiteral("Configuration de pièce (*.cfg);;Tous les fichiers (*)"));
    if (path.isEmpty())
        return;
    const QString lines = lignesPerdues == 1 ? QStringLiteral("une ligne") : QStringLiteral("%1 lignes").arg(lignesPerdues);
    if (lignesPerdues > 0 && QFileInfo(path) == QFileInfo(fichierOuvert)
        && !askToReplace(this, QMessageBox::Warning, QStringLiteral("Enregistrer"),
                         QStringLiteral("%1 a %2 que le texte généré n'a pas : l'enregistrer sous ce nom les ferait perdre.")
                             .arg(QFileInfo(path).fileName(), lines)))
        return;
    rememberChosenFile(path);
    const QString failure = savePartFile(path, code);
    if (!failure.isEmpty())
        QMessageBox::critical(this, QStringLiteral("Erreur"), failure);
}
