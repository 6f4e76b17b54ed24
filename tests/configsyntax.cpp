#include "configsyntax.h"

#include <QRegularExpression>
#include <QStringList>

QString configSyntaxError(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|[\\r\\n\\x{2028}\\x{2029}]"));
    static const QRegularExpression nodeName(QStringLiteral("^[A-Za-z0-9_]+$"));
    static const QRegularExpression keyValue(QStringLiteral("^[A-Za-z0-9_]+\\s*=.*$"));

    const QStringList lines = text.split(lineBreak);
    int depth = 0;
    int topNodes = 0;
    QString waitingName; // a node name whose "{" has not come yet
    for (int i = 0; i < lines.size(); ++i) {
        const auto fault = [&](const QString &what) {
            return QStringLiteral("line %1: %2: \"%3\"").arg(i + 1).arg(what, lines[i].left(80));
        };
        QString line = lines[i].left(lines[i].indexOf(QLatin1String("//"))).trimmed();
        if (line.isEmpty())
            continue;
        if (!waitingName.isEmpty() && line != QLatin1String("{"))
            return fault(QStringLiteral("node %1 has no \"{\"").arg(waitingName));
        if (line.endsWith(QLatin1Char('{')) && nodeName.match(line.chopped(1).trimmed()).hasMatch()) {
            waitingName = line.chopped(1).trimmed();
            line = QStringLiteral("{");
        }
        if (line == QLatin1String("{")) {
            if (waitingName.isEmpty())
                return fault(QStringLiteral("\"{\" without a node name"));
            if (depth == 0 && (++topNodes > 1 || waitingName != QLatin1String("PART")))
                return fault(QStringLiteral("a second top node, or one not named PART"));
            ++depth;
            waitingName.clear();
        } else if (line == QLatin1String("}")) {
            if (depth-- == 0)
                return fault(QStringLiteral("\"}\" closes no node"));
        } else if (line.contains(QLatin1Char('{')) || line.contains(QLatin1Char('}'))) {
            return fault(QStringLiteral("brace inside a line"));
        } else if (nodeName.match(line).hasMatch()) {
            waitingName = line;
        } else if (!keyValue.match(line).hasMatch()) {
            return fault(QStringLiteral("neither a node, a brace, a comment nor \"key = value\""));
        } else if (depth == 0) {
            return fault(QStringLiteral("value outside any node"));
        }
    }
    if (!waitingName.isEmpty() || depth != 0)
        return QStringLiteral("end: a node is not closed");
    if (topNodes == 0)
        return QStringLiteral("end: no PART node");
    return QString();
}
