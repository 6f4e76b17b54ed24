#include "gamereading.h"

#include "partconfig.h"

#include <QStringList>

#include <algorithm>
#include <utility>

namespace {

// Quoted readings are cut to this many characters, to fit a tooltip or the status bar.
constexpr int quotedLength = 40;

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// The game trims spaces and tabs only, not every kind of white space.
QString trimmedOfBlanks(const QString &text, int end)
{
    int start = 0;
    while (start < end && isBlank(text.at(start)))
        ++start;
    while (end > start && isBlank(text.at(end - 1)))
        --end;
    return text.mid(start, end - start);
}

// A space or a tab typed at either end of the value; line breaks there get their own advice.
bool blankTypedAtAnEnd(const QString &value)
{
    for (int i = 0; i < value.size() && (isBlank(value.at(i)) || isLineBreak(value.at(i))); ++i) {
        if (isBlank(value.at(i)))
            return true;
    }
    for (int i = value.size() - 1; i >= 0 && (isBlank(value.at(i)) || isLineBreak(value.at(i))); --i) {
        if (isBlank(value.at(i)))
            return true;
    }
    return false;
}

// "a", "a et b", "a, b et c".
QString listed(const QStringList &items)
{
    if (items.size() < 2)
        return items.join(QString());
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" et ")
        + items.last();
}

// What the braces from `brace` up to `end` (a comment or the end of the line) do to the part.
QString braceEffect(const QString &line, int brace, int end)
{
    int depth = 0;
    for (int i = brace; i < end; ++i) {
        if (line.at(i) == QLatin1Char('{'))
            ++depth;
        else if (line.at(i) == QLatin1Char('}') && depth-- == 0)
            return QStringLiteral("} ferme la pièce trop tôt, les lignes suivantes restent dehors");
    }
    return depth > 0
        ? QStringLiteral("{ ouvre un bloc qui avale tout ce qui suit, et la pièce n'est jamais fermée")
        : QStringLiteral("{ ouvre un bloc qui avale la suite de la valeur");
}

// The game expands these escapes in every value; a backslash itself cannot be escaped.
QString escapesRead(const QString &reading)
{
    const struct { QLatin1Char letter; const char *meaning; } escapes[] = {
        {QLatin1Char('n'), "\\n comme un saut de ligne"},
        {QLatin1Char('t'), "\\t comme une tabulation"},
        {QLatin1Char('"'), "\\\" comme un guillemet"},
    };
    bool seen[3] = {};
    for (int i = 0; i + 1 < reading.size(); ++i) {
        if (reading.at(i) != QLatin1Char('\\'))
            continue;
        for (int k = 0; k < 3; ++k)
            seen[k] = seen[k] || reading.at(i + 1) == escapes[k].letter;
    }
    QStringList read;
    for (int k = 0; k < 3; ++k) {
        if (seen[k])
            read << QLatin1String(escapes[k].meaning);
    }
    return read.isEmpty() ? QString() : QStringLiteral("le jeu lira ") + listed(read);
}

// Comma-separated fields, each exactly "1" or read as 0, with no trimming;
// fewer than 5 and the part does not load, after the 8th they are ignored.
QString attachRulesRead(const QString &reading)
{
    const int fields = reading.count(QLatin1Char(',')) + 1;
    if (fields < 5)
        return QStringLiteral("il faut au moins 5 champs séparés par des virgules, le jeu n'en lira ")
            + (fields == 1 ? QStringLiteral("qu'un") : QStringLiteral("que %1").arg(fields))
            + QStringLiteral(" ; la pièce ne se chargera pas");
    QStringList read;
    bool zeroed = false;
    for (int i = 0, from = 0; i < qMin(fields, 8); ++i) {
        int comma = reading.indexOf(QLatin1Char(','), from);
        if (comma < 0)
            comma = reading.size();
        const bool oneChar = comma - from == 1;
        const bool one = oneChar && reading.at(from) == QLatin1Char('1');
        zeroed = zeroed || !(one || (oneChar && reading.at(from) == QLatin1Char('0')));
        read << (one ? QStringLiteral("1") : QStringLiteral("0"));
        from = comma + 1;
    }
    QStringList why;
    if (zeroed)
        why << QStringLiteral("tout champ autre que 1 exactement vaut 0");
    if (fields > 8)
        why << QStringLiteral("les champs après le 8e sont ignorés");
    if (why.isEmpty())
        return QString();
    return QStringLiteral("le jeu lira ") + quoted(read.join(QLatin1Char(','))) + QStringLiteral(" ; ")
        + why.join(QStringLiteral(", et "));
}

} // namespace

QString quoted(QStringView reading)
{
    if (reading.isEmpty())
        return QStringLiteral("une valeur vide");
    if (reading.size() <= quotedLength)
        return QStringLiteral("« ") + reading.toString() + QStringLiteral(" »");
    const int cut = reading.at(quotedLength - 1).isHighSurrogate() ? quotedLength - 1 : quotedLength;
    return QStringLiteral("« ") + reading.left(cut).toString() + QStringLiteral("… »");
}

QString fieldLabel(TextField field)
{
    static const char *const labels[] = {"Auteur", "Nom", "Titre", "Créateur", "Description",
                                         "Règles d'attachement"};
    return QString::fromUtf8(labels[static_cast<int>(field)]);
}

QList<ReadingWarning> readingWarnings(TextField field, const QString &value)
{
    QList<ReadingWarning> warnings;
    const QString label = fieldLabel(field) + QStringLiteral(" : ");
    const auto add = [&](bool advice, const QString &what) {
        if (!what.isEmpty())
            warnings.append({field, advice, label + what + QLatin1Char('.')});
    };

    // What the game reads: our line, up to a comment or the first brace before it, trimmed.
    const QString line = oneLine(value);
    int comment = line.indexOf(QLatin1String("//"));
    if (comment < 0)
        comment = line.size();
    int brace = 0;
    while (brace < comment && line.at(brace) != QLatin1Char('{') && line.at(brace) != QLatin1Char('}'))
        ++brace;
    const QString reading = trimmedOfBlanks(line, brace);
    const QString read = QStringLiteral("le jeu lira ") + quoted(reading) + QStringLiteral(" ; ");
    if (brace < comment)
        add(false, read + braceEffect(line, brace, comment));
    else if (comment < line.size())
        add(false, read + QStringLiteral("// commence un commentaire"));
    else if (blankTypedAtAnEnd(value))
        add(false, read + QStringLiteral("il retire les espaces et tabulations du début et de la fin"));

    add(false, escapesRead(reading));
    if (field == TextField::Nom && reading.contains(QLatin1Char('_')))
        add(false, QStringLiteral("le jeu nommera la pièce ")
                + quoted(reading).replace(QLatin1Char('_'), QLatin1Char('.'))
                + QStringLiteral(" ; il remplace chaque _ par un point"));
    if (field == TextField::AttachRules)
        add(false, attachRulesRead(reading));

    static const QString patchToolsTripOn = QStringLiteral(" ()|,*?[]");
    const auto tripsPatchTools = [](QChar c) { return patchToolsTripOn.contains(c); };
    if (field == TextField::Nom && std::any_of(reading.cbegin(), reading.cend(), tripsPatchTools))
        add(true, QStringLiteral("conseil, évitez les espaces et ( ) , | * ? [ ] ; la pièce se charge, "
                                 "mais les outils de patch usuels ne peuvent pas la désigner exactement"));
    if (line != value)
        add(true, QStringLiteral("conseil, un saut de ligne tapé ici devient un espace ; "
                                 "pour un saut de ligne dans le jeu, écrivez \\n"));
    return warnings;
}

QList<ReadingWarning> readingWarnings(const GenerationRequest &request)
{
    const std::pair<TextField, const QString &> fields[] = {
        {TextField::Auteur, request.auteur}, {TextField::Nom, request.nom},
        {TextField::Titre, request.titre}, {TextField::Createur, request.createur},
        {TextField::Description, request.description}, {TextField::AttachRules, request.attachRules}};
    QList<ReadingWarning> warnings;
    for (const auto &field : fields)
        warnings += readingWarnings(field.first, field.second);
    return warnings;
}

bool misread(const QList<ReadingWarning> &warnings)
{
    return std::any_of(warnings.begin(), warnings.end(), [](const ReadingWarning &w) { return !w.advice; });
}
