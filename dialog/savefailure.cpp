#include "savefailure.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace {
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
} // namespace

QString saveFailureMessage(const QString &path, SaveStage stage, const QString &toolkitReason)
{
    return QStringLiteral("Impossible d'enregistrer le fichier « %1 » : %2.")
        .arg(QDir::toNativeSeparators(path), reasonFor(path, stage, toolkitReason));
}
