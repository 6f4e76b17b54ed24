#include "partfile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

namespace {

// Folder of the last file chosen in this run; empty until then.
QString lastFolder;

// How far a save went before it failed.
enum class SaveStage { Open, Write, Replace };

// The toolkit's text without the path in any of its spellings (the message names it
// already), as a clause: no quotes left empty, a small first letter, no final stop.
QString asClause(QString reason, const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList forms{path, QDir::toNativeSeparators(path), QDir::fromNativeSeparators(path),
                      absolute, QDir::toNativeSeparators(absolute)};
    // The longest first, so that no part of a longer spelling is left behind.
    std::sort(forms.begin(), forms.end(),
              [](const QString &a, const QString &b) { return a.size() > b.size(); });
    for (const QString &form : forms)
        reason.remove(form, Qt::CaseInsensitive);
    static const QRegularExpression emptyQuotes(QStringLiteral("[\"'«“‘(]\\s*[\"'»”’)]"));
    reason = reason.remove(emptyQuotes).simplified();
    while (reason.endsWith(QLatin1Char('.')) || reason.endsWith(QLatin1Char(':')))
        reason = reason.chopped(1).trimmed();
    // "Access denied" becomes "access denied", an initialism such as "EFBIG" stays.
    if (reason.size() > 1 && reason.at(1).isLower())
        reason[0] = reason.at(0).toLower();
    return reason.isEmpty() ? QStringLiteral("erreur inconnue") : reason;
}

QString reasonFor(const QString &path, SaveStage stage, const QString &toolkitReason)
{
    if (stage == SaveStage::Write)
        return QStringLiteral("l'écriture a échoué, le disque est peut-être plein");
    if (stage == SaveStage::Replace)
        return asClause(toolkitReason, path);
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (target.isDir())
        return QStringLiteral("c'est un dossier");
    if (!folder.isDir())
        return QStringLiteral("son dossier n'existe pas");
    if (target.exists() && !target.isWritable())
        return QStringLiteral("le fichier existant n'est pas accessible en écriture");
    if (!folder.isWritable())
        return QStringLiteral("son dossier n'est pas accessible en écriture");
    return asClause(toolkitReason, path);
}

QString failureMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("Impossible d'enregistrer le fichier « %1 » : %2.").arg(QDir::toNativeSeparators(path), reason);
}

QString failureMessage(const QString &path, SaveStage stage, const QString &toolkitReason)
{
    return failureMessage(path, reasonFor(path, stage, toolkitReason));
}

QString openFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("Impossible d'ouvrir le fichier « %1 » : %2.").arg(QDir::toNativeSeparators(path), reason);
}

QString megabytes(qint64 bytes)
{
    const double mebibytes = bytes / (1024.0 * 1024.0);
    const bool whole = mebibytes >= 10 || bytes % (1024 * 1024) == 0;
    return QLocale(QLocale::French).toString(mebibytes, 'f', whole ? 0 : 1) + QStringLiteral(" Mo");
}

} // namespace

QString readPartFileBytes(const QString &path, QByteArray *bytes)
{
    const QFileInfo info(path);
    const QString tooLarge = QStringLiteral("il fait %1, bien plus qu'un fichier de pièces (%2 au plus)");
    if (!info.exists())
        return openFailure(path, QStringLiteral("il n'existe pas"));
    if (info.isDir())
        return openFailure(path, QStringLiteral("c'est un dossier"));
    if (!info.isFile()) // a device or a pipe: its reading might never end
        return openFailure(path, QStringLiteral("ce n'est pas un fichier ordinaire"));
    if (info.size() > largestPartFile)
        return openFailure(path, tooLarge.arg(megabytes(info.size()), megabytes(largestPartFile)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return openFailure(path, info.isReadable() ? asClause(file.errorString(), path)
                                                   : QStringLiteral("il n'est pas accessible en lecture"));
    }
    *bytes = file.read(largestPartFile + 1);
    if (file.error() != QFileDevice::NoError)
        return openFailure(path, asClause(file.errorString(), path));
    if (bytes->size() > largestPartFile) // it grew since
        return openFailure(path, tooLarge.arg(megabytes(file.size()), megabytes(largestPartFile)));
    return QString();
}

QString partFileName(const QString &partName)
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

QString proposedFolder()
{
    QString folder = lastFolder;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() ? QDir::homePath() : folder;
}

QString proposedPartFile(const QString &partName)
{
    return QDir(proposedFolder()).filePath(partFileName(partName));
}

void rememberChosenFile(const QString &path)
{
    lastFolder = QFileInfo(path).absolutePath();
}

QString savePartFile(const QString &path, const QString &text)
{
    return savePartFileBytes(path, text.toUtf8());
}

QString checkOpenedFile(const QString &path, const QByteArray &opened, bool *unchanged)
{
    *unchanged = false;
    const QFileInfo info(path);
    const QString elsewhere = QStringLiteral(" ; « Enregistrer sous... » peut enregistrer le formulaire ailleurs");
    if (!info.exists())
        return failureMessage(path, QStringLiteral("il n'existe plus") + elsewhere);
    if (info.isDir())
        return failureMessage(path, QStringLiteral("c'est maintenant un dossier") + elsewhere);
    if (!info.isFile())
        return failureMessage(path, QStringLiteral("ce n'est plus un fichier ordinaire") + elsewhere);
    if (!info.isWritable())
        return failureMessage(path, QStringLiteral("le fichier n'est plus accessible en écriture") + elsewhere);
    if (info.size() != opened.size())
        return QString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failureMessage(path, QStringLiteral("il n'est plus accessible en lecture, et Tallowin ne peut vérifier qu'il est "
                                                   "encore celui qui a été ouvert") + elsewhere);
    *unchanged = file.read(opened.size() + 1) == opened;
    return QString();
}

QString savePartFileBytes(const QString &path, const QByteArray &bytes)
{
    // QSaveFile writes to a temporary file beside the target (with its permissions) and renames
    // it only on commit, so a failed write never damages an existing file. The explicit flush
    // matters: commit() misses a failure of the last buffered write (a full disk) and would put
    // a truncated file in place.
    QSaveFile file(path);
    SaveStage stage = SaveStage::Open;
    if (file.open(QIODevice::WriteOnly)) {
        stage = SaveStage::Write;
        if (file.write(bytes) == bytes.size() && file.flush()) {
            stage = SaveStage::Replace;
            if (file.commit())
                return QString();
        }
    }
    return failureMessage(path, stage, file.errorString());
}
