#include "fencodegenere.h"
#include "savefailure.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {
// Folder of the last file chosen in this run; empty until then.
QString lastFolder;
}

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

void FenCodeGenere::CtrlC(const QString &code, QClipboard *clipboard)
{
    clipboard->setText(code, QClipboard::Clipboard);
}

void FenCodeGenere::Save(const QString &code)
{
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Enregistrer la configuration"),
        proposedPath(nomPiece),
        QStringLiteral("Configuration de pièce (*.cfg);;Tous les fichiers (*)"));
    if (path.isEmpty())
        return;
    lastFolder = QFileInfo(path).absolutePath();
    writeText(path, code);
}

bool FenCodeGenere::saveTo(const QString &path)
{
    return writeText(path, codeGenere);
}

bool FenCodeGenere::writeText(const QString &path, const QString &text)
{
    // QSaveFile writes to a temporary file beside the target and renames it
    // only on commit, so a failed write never damages an existing file. The
    // explicit flush matters: commit() misses a failure of the last buffered
    // write (a full disk) and would put a truncated file in place.
    QSaveFile file(path);
    SaveStage stage = SaveStage::Open;
    if (file.open(QIODevice::WriteOnly)) {
        stage = SaveStage::Write;
        const QByteArray bytes = text.toUtf8();
        if (file.write(bytes) == bytes.size() && file.flush()) {
            stage = SaveStage::Replace;
            if (file.commit())
                return true;
        }
    }
    QMessageBox::critical(this, QStringLiteral("Erreur"),
                          saveFailureMessage(path, stage, file.errorString()));
    return false;
}

QString FenCodeGenere::proposedFileName(const QString &partName)
{
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    QString name = partName.trimmed();
    for (QChar &c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || forbidden.contains(c))
            c = QLatin1Char('_');
    }
    // Windows drops trailing dots and spaces; a name of dots alone is no name.
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    if (name.isEmpty())
        name = QStringLiteral("piece");
    return name + QStringLiteral(".cfg");
}

QString FenCodeGenere::proposedPath(const QString &partName)
{
    QString folder = lastFolder;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(proposedFileName(partName));
}
