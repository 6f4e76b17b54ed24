#include "partreading.h"

#include "builderlayout.h"
#include "gamereading.h"
#include "partconfig.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <functional>

namespace {

using R = GenerationRequest;

constexpr int itemsKept = 100000; // past these, items are only counted
constexpr int itemsShown = 1000;

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// A number as the game reads it: digits with "." as the decimal point, an optional sign and
// exponent, nothing else.
bool readGameNumber(QStringView text, double *number)
{
    int i = 0, digits = 0;
    const int n = text.size();
    const auto digit = [&](int at) { return at < n && text.at(at) >= QLatin1Char('0') && text.at(at) <= QLatin1Char('9'); };
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    for (; digit(i); ++i)
        ++digits;
    if (i < n && text.at(i) == QLatin1Char('.')) {
        for (++i; digit(i); ++i)
            ++digits;
    }
    if (digits == 0)
        return false;
    if (i < n && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        ++i;
        if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
            ++i;
        if (!digit(i))
            return false;
        while (digit(i))
            ++i;
    }
    if (i != n)
        return false;
    // Past the largest double it reads as infinite, below the smallest as 0: held within range.
    *number = text.toLatin1().toDouble();
    return true;
}

// « text » whole up to 60 characters, else its start and its end: where a number's extra
// digits, a sign or blanks make it differ from what a field shows.
QString quotedWhole(QStringView text)
{
    constexpr int whole = 60, kept = 28;
    if (text.isEmpty())
        return quoted(text);
    if (text.size() <= whole)
        return QStringLiteral("« ") + text.toString() + QStringLiteral(" »");
    int head = kept, tail = text.size() - kept;
    if (text.at(head - 1).isHighSurrogate())
        --head;
    if (text.at(tail).isLowSurrogate())
        ++tail;
    return QStringLiteral("« ") + text.left(head).toString() + QStringLiteral("…") + text.mid(tail).toString() + QStringLiteral(" »");
}

QString counted(int n, const char *one, const char *many)
{
    return QLocale(QLocale::French).toString(n) + QLatin1Char(' ')
        + QString::fromUtf8(n <= 1 ? one : many);
}

// A value the form takes from a node, by its key.
struct Slot
{
    QLatin1String key;
    std::function<void(int value)> take;
    bool firstWins = false; // "name" names a node by its first; other keys keep their last
};

struct Resource
{
    const char *name;
    bool R::*on;
    QString R::*amount;
};
const Resource resources[] = {
    {"LiquidFuel", &R::fuelOn, &R::fuelAmount},
    {"Oxidizer", &R::oxidizerOn, &R::oxiAmount},
    {"MonoPropellant", &R::rcsGazOn, &R::rcsFuelAmount},
    {"ElectricCharge", &R::electricitOn, &R::electricAmount},
    {"XenonGas", &R::xenonOn, &R::xenonAmount},
};

class Reader
{
public:
    Reader(const ConfigText &config, const FormShape &shape)
        : c(config), shape(shape), l(builderLayout()), lost(config.lineCount + 1, false)
    {
        result.request = shape.fresh;
        result.anchors.resize(builderLines().size());
        result.authorsLines.resize(config.lineCount + 1);
    }

    PartReading read(const PartEntry &part)
    {
        result.part = part.node;
        readPart(part.node);
        for (int v = c.nodes.at(0).firstValue; v >= 0; v = c.values.at(v).next)
            leaveOut(v, QStringLiteral("hors de la pièce, le formulaire ne la montre pas"));
        for (int n = c.nodes.at(0).firstChild; n >= 0; n = c.nodes.at(n).nextSibling) {
            if (n == part.node)
                continue;
            leaveOutNode(n, c.view(c.nodes.at(n).name) == QLatin1String("PART")
                ? QStringLiteral("une autre pièce du fichier ; seule %1 est reprise").arg(part.name.isEmpty() ? QStringLiteral("la pièce choisie") : quoted(part.name))
                : QStringLiteral("hors de la pièce, le formulaire ne le montre pas"));
        }
        readNotes();
        anchorLinesAsWritten();
        std::stable_sort(result.items.begin(), result.items.end(),
                         [](const AccountItem &a, const AccountItem &b) { return a.line < b.line; });
        result.linesNotShown = int(std::count(lost.begin(), lost.end(), true));
        for (int line = 1; line <= c.lineCount; ++line)
            result.authorsLines[line] = result.authorsLines[line] || lost[line];
        return result;
    }

private:
    void add(AccountItem::Kind kind, int line, int lastLine, const QString &text)
    {
        ++result.itemCount;
        if (kind == AccountItem::ShownOtherwise)
            ++result.valuesShownOtherwise;
        else if (kind == AccountItem::Remark)
            ++result.remarks;
        if (result.items.size() < itemsKept)
            result.items.append({kind, line, lastLine, text + QLatin1Char('.')});
    }
    void changed(int v, const QString &why)
    {
        result.authorsLines[line(v)] = true;
        add(AccountItem::ShownOtherwise, line(v), line(v), what(v) + QStringLiteral(" : ") + why);
    }
    void remark(int v, const QString &why) { add(AccountItem::Remark, line(v), line(v), what(v) + QStringLiteral(" : ") + why); }
    void leaveOutLine(int line, const QString &text)
    {
        lost[line] = true;
        add(AccountItem::NotShown, line, line, text);
    }
    void leaveOut(int v, const QString &why) { leaveOutLine(line(v), what(v) + QStringLiteral(" : ") + why); }
    void leaveOutNode(int n, const QString &why)
    {
        const ConfigNode &node = c.nodes.at(n);
        for (int i = node.line; i <= node.lastLine; ++i)
            lost[i] = lost[i] || c.lineHasContent.at(i);
        add(AccountItem::NotShown, node.line, node.lastLine, nodeName(n) + QStringLiteral(" : ") + why);
    }
    void leaveOutChildren(int n, const QString &why = QStringLiteral("le formulaire n'a pas de champ pour ce bloc"))
    {
        for (int child = c.nodes.at(n).firstChild; child >= 0; child = c.nodes.at(child).nextSibling)
            leaveOutNode(child, why);
    }

    int line(int v) const { return c.values.at(v).line; }
    QStringView key(int v) const { return c.view(c.values.at(v).key); }
    QStringView value(int v) const { return c.view(c.values.at(v).value); }
    // « key = value », its value never cut where it differs from what a field shows: at an end.
    QString what(int v) const
    {
        const ConfigValue &line = c.values.at(v);
        return quotedWhole(c.view({line.key.start, line.value.start + line.value.size - line.key.start}));
    }
    QString nodeName(int n) const
    {
        const QString name = c.string(c.nodes.at(n).name);
        const int id = c.firstValue(n, u"name");
        if (name.isEmpty())
            return QStringLiteral("un bloc sans nom");
        return quoted(id < 0 ? name : name + QLatin1Char(' ') + value(id).toString());
    }
    QString label(QString R::*entry) const { return (QStringLiteral("le champ ") + shape.field(entry)->label).trimmed(); }

    // The document: the builder's line that the layout's value stands on is the file's value v.
    void anchorValue(int layoutValue, int v, Span span)
    {
        LineAnchor &anchor = result.anchors[l.tableLine(layoutValue)];
        anchor.value = v;
        anchor.span = span;
    }
    void anchorNode(int node, int layoutNode)
    {
        for (const int tableLine : l.nodeLines(layoutNode))
            result.anchors[tableLine].node = node;
    }

    // The node's values: each slot takes the one the game keeps and names the others; a value
    // the builder writes as a fixed line passes when it holds the builder's own value. Each of
    // them is anchored to the builder's line of its key, taken or not (take false: the form
    // does not read this node, but saving must find its lines).
    void readValues(int node, int layoutNode, const QVector<Slot> &takers, bool take = true)
    {
        QVector<int> kept(takers.size(), -1);
        const auto slotOf = [&](int v) {
            for (int i = 0; i < takers.size(); ++i) {
                if (key(v) == takers.at(i).key)
                    return i;
            }
            return -1;
        };
        for (int v = c.nodes.at(node).firstValue; v >= 0; v = c.values.at(v).next) {
            const int i = slotOf(v);
            if (i >= 0 && !(takers.at(i).firstWins && kept.at(i) >= 0))
                kept[i] = v;
        }
        QVector<int> fixedKept; // the builder's fixed lines this node has given a value
        for (int v = c.nodes.at(node).firstValue; v >= 0; v = c.values.at(v).next) {
            const int i = slotOf(v);
            const int builders = layoutNode < 0 ? -1 : l.config.firstValue(layoutNode, key(v));
            if (i >= 0 && kept.at(i) == v) {
                if (builders >= 0)
                    anchorValue(builders, v, c.values.at(v).value);
                if (take)
                    takers.at(i).take(v);
            } else if (!take) {
                if (i < 0 && builders >= 0 && !(key(v) == QLatin1String("name") && fixedKept.contains(builders)))
                    anchorValue(builders, v, c.values.at(v).value), fixedKept << builders;
            } else if (i >= 0) {
                leaveOut(v, QStringLiteral("%1 est donnée aussi ligne %2 ; le jeu garde la %3")
                                .arg(key(v).toString()).arg(line(kept.at(i)))
                                .arg(takers.at(i).firstWins ? QStringLiteral("première") : QStringLiteral("dernière")));
            } else if (builders >= 0) {
                if (!(key(v) == QLatin1String("name") && fixedKept.contains(builders)))
                    anchorValue(builders, v, c.values.at(v).value), fixedKept << builders;
                const QStringView builderValue = l.config.view(l.config.values.at(builders).value);
                if (value(v) != builderValue)
                    leaveOut(v, QStringLiteral("le formulaire n'a pas de champ pour cette valeur ; « Générer ! » écrit %1")
                                    .arg(quoted(key(v).toString() + QStringLiteral(" = ") + builderValue.toString())));
            } else {
                leaveOut(v, QStringLiteral("le formulaire n'a pas de champ pour cette valeur"));
            }
        }
    }

    Slot number(const char *key, QString R::*entry, bool R::*group = nullptr)
    {
        return {QLatin1String(key), [this, entry, group](int v) {
            if (group)
                result.request.*group = true;
            takeNumber(v, value(v), entry);
        }};
    }
    Slot text(const char *key, QString R::*entry, bool firstWins = false)
    {
        return {QLatin1String(key), [this, entry](int v) { takeText(v, entry); }, firstWins};
    }
    // True or False, as the game reads them, into a check box; anything else is left out.
    Slot flag(const char *key, bool R::*checked, const char *otherwise)
    {
        return {QLatin1String(key), [this, checked, otherwise](int v) {
            const QString read = value(v).toString();
            if (read.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0
                || read.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
                result.request.*checked = read.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
                ++result.valuesTaken;
            } else {
                changed(v, QStringLiteral("le jeu n'y lit ni True ni False ; ") + QString::fromUtf8(otherwise));
            }
        }};
    }

    void takeNumber(int v, QStringView number, QString R::*entry)
    {
        const FormShape::Field &f = *shape.field(entry);
        double read = 0;
        if (!readGameNumber(number, &read)) {
            changed(v, QStringLiteral("le jeu ne lit pas %1 comme un nombre ; %2 garde %3")
                           .arg(quotedWhole(number), label(entry), result.request.*entry));
            return;
        }
        const double held = qBound(0.0, QString::number(read, 'f', f.decimals).toDouble(), f.maximum) + 0.0;
        const QString shown = numberText(held, f.decimals, f.trailingZeros);
        result.request.*entry = shown;
        ++result.valuesTaken;
        if (held == read)
            return;
        QString why;
        if (read < 0)
            why = QStringLiteral("ne prend pas de nombre négatif");
        else if (read > f.maximum)
            why = QStringLiteral("va jusqu'à ") + numberText(f.maximum, f.decimals, f.trailingZeros);
        else if (f.decimals == 0)
            why = QStringLiteral("n'a pas de décimales");
        else
            why = QStringLiteral("a %1 décimale%2").arg(f.decimals).arg(f.decimals > 1 ? "s" : "");
        changed(v, QStringLiteral("%1 %2 et affiche %3").arg(label(entry), why, shown));
    }

    void takeText(int v, QString R::*entry)
    {
        const FormShape::Field &f = *shape.field(entry);
        QString read = value(v).toString();
        if (!f.choices.isEmpty() && !f.choices.contains(read)) {
            changed(v, QStringLiteral("la liste %1 n'a pas cette entrée ; elle garde %2")
                           .arg(f.label, quoted(result.request.*entry)));
            return;
        }
        ++result.valuesTaken;
        const ConfigValue &line = c.values.at(v);
        QStringView raw = c.view(line.raw);
        if (!raw.isEmpty() && isBlank(raw.front()))
            raw = raw.mid(1); // the blank after "=" that the builder writes
        if (f.maxLength > 0 && read.size() > f.maxLength) {
            changed(v, QStringLiteral("%1 caractères ; %2 en garde %3").arg(
                QLocale(QLocale::French).toString(read.size()), label(entry), QLocale(QLocale::French).toString(f.maxLength)));
            read.truncate(f.maxLength);
        } else if (line.endsLine && !raw.isEmpty() && (isBlank(raw.front()) || isBlank(raw.back()))) {
            changed(v, QStringLiteral("le jeu lit %1 ; il retire les espaces et tabulations du début et de la fin")
                           .arg(quotedWhole(read)));
        }
        result.request.*entry = read;
    }

    void readPart(int part)
    {
        R &r = result.request;
        anchorNode(part, l.part);
        int engine = -1, command = -1, internal = -1, stagingIcon = -1;
        int tanks[5] = {-1, -1, -1, -1, -1};
        const auto first = [this](int *kept, int n, const char *which) {
            if (*kept < 0)
                *kept = n;
            else
                leaveOutNode(n, QString::fromUtf8(which));
        };
        for (int n = c.nodes.at(part).firstChild; n >= 0; n = c.nodes.at(n).nextSibling) {
            const QStringView name = c.view(c.nodes.at(n).name);
            const int idValue = c.firstValue(n, u"name");
            const QStringView id = idValue < 0 ? QStringView() : value(idValue);
            const auto tank = std::find_if(std::begin(resources), std::end(resources),
                                           [&](const Resource &t) { return id == QLatin1String(t.name); });
            if (name == QLatin1String("MODULE") && (id == QLatin1String("ModuleEngines") || id == QLatin1String("ModuleEnginesFX")))
                first(&engine, n, "seul le premier moteur est repris");
            else if (name == QLatin1String("MODULE") && id == QLatin1String("ModuleCommand"))
                first(&command, n, "seul le premier ModuleCommand est repris");
            else if (name == QLatin1String("INTERNAL"))
                first(&internal, n, "seul le premier INTERNAL est repris");
            else if (name == QLatin1String("RESOURCE") && tank != std::end(resources))
                first(&tanks[tank - resources], n, "seule la première ressource de ce nom est reprise");
            else
                leaveOutNode(n, QStringLiteral("le formulaire n'a pas de champ pour ce bloc"));
        }

        readValues(part, l.part, {
            text("name", &R::nom, true), text("module", &R::module), text("author", &R::auteur),
            number("scale", &R::echelle), number("cost", &R::cost), text("category", &R::categorie),
            text("title", &R::titre), text("manufacturer", &R::createur),
            text("description", &R::description), text("attachRules", &R::attachRules),
            number("mass", &R::mass), number("maximum_drag", &R::dragMax),
            number("minimum_drag", &R::dragMin), number("angularDrag", &R::dragTorque),
            number("crashTolerance", &R::resist), number("maxTemp", &R::temp),
            number("maxTorque", &R::coupleMax, &R::sasOn), number("dragCoeff", &R::cDrag, &R::wingOn),
            number("deflectionLiftCoeff", &R::cLift, &R::wingOn), number("CrewCapacity", &R::crew, &R::podsOn),
            flag("fuelCrossFeed", &R::fuelCrossfeedOn, "la case reste cochée"),
            {QLatin1String("stagingIcon"), [&](int v) { stagingIcon = v; }},
        });

        if (engine >= 0) {
            r.liquidEngineOn = true;
            r.iconeLiquidOn = r.exhaustOn = false;
            readEngine(engine);
        }
        if (stagingIcon >= 0 && value(stagingIcon) != QLatin1String("LIQUID_ENGINE"))
            leaveOut(stagingIcon, QStringLiteral("le formulaire n'a que l'icône LIQUID_ENGINE"));
        else if (stagingIcon >= 0 && engine < 0)
            leaveOut(stagingIcon, QStringLiteral("la pièce n'a pas de moteur ; le formulaire ne montre cette ligne qu'avec lui"));
        else if (stagingIcon >= 0)
            r.iconeLiquidOn = true, ++result.valuesTaken;

        // Without a crew the form reads neither, but saving must find them once Pods is ticked.
        const QString noCrew = QStringLiteral("la pièce n'a pas de CrewCapacity, le groupe Pods n'est pas repris");
        for (const int node : {command, internal}) {
            if (node < 0)
                continue;
            const int layoutNode = node == command ? l.command : l.internal;
            anchorNode(node, layoutNode);
            readValues(node, layoutNode, node == command ? QVector<Slot>{number("minimumCrew", &R::minCrew)} : QVector<Slot>{},
                       r.podsOn);
            if (r.podsOn)
                leaveOutChildren(node);
            else
                leaveOutNode(node, noCrew);
        }
        for (int i = 0; i < 5; ++i) {
            if (tanks[i] >= 0)
                readTank(tanks[i], resources[i]);
        }
    }

    void readEngine(int engine)
    {
        anchorNode(engine, l.engine);
        readValues(engine, l.engine, {
            number("minThrust", &R::puissanceMin), number("maxThrust", &R::puissanceMax),
            number("heatProduction", &R::tempGen),
            flag("exhaustDamage", &R::exhaustOn, "la case reste décochée"),
        });
        int curve = -1;
        QVector<int> propellants; // the builder's, each matched once
        for (int n = c.nodes.at(engine).firstChild; n >= 0; n = c.nodes.at(n).nextSibling) {
            const QStringView name = c.view(c.nodes.at(n).name);
            const int id = c.firstValue(n, u"name");
            const int builders = name == QLatin1String("PROPELLANT") && id >= 0
                ? childNamed(l.config, l.engine, QLatin1String("PROPELLANT"), value(id)) : -1;
            if (name == QLatin1String("atmosphereCurve") && curve < 0) {
                readCurve(curve = n);
            } else if (builders >= 0 && !propellants.contains(builders)) {
                propellants << builders;
                anchorNode(n, builders);
                readValues(n, builders, {});
                leaveOutChildren(n);
            } else {
                leaveOutNode(n, curve >= 0 && curve != n && name == QLatin1String("atmosphereCurve")
                    ? QStringLiteral("seule la première courbe est reprise")
                    : QStringLiteral("le formulaire n'a pas de champ pour ce bloc"));
            }
        }
    }

    // "key = time value [tangents]" at the times 0 (in vacuum) and 1 (at sea level); the curve
    // keeps the first point at a time.
    void readCurve(int curve)
    {
        anchorNode(curve, l.curve);
        const int layoutKeys[2] = {l.config.nodes.at(l.curve).firstValue,
                                   l.config.values.at(l.config.nodes.at(l.curve).firstValue).next};
        int kept[2] = {-1, -1};
        for (int v = c.nodes.at(curve).firstValue; v >= 0; v = c.values.at(v).next) {
            if (key(v) != QLatin1String("key")) {
                leaveOut(v, QStringLiteral("le formulaire n'a pas de champ pour cette valeur"));
                continue;
            }
            const QVector<QStringView> fields = curveFields(value(v));
            double time = -1;
            if (fields.size() < 2 || !readGameNumber(fields.at(0), &time)) {
                leaveOut(v, QStringLiteral("le jeu ne lit pas ce point de courbe"));
            } else if (time != 0 && time != 1) {
                leaveOut(v, QStringLiteral("le formulaire n'a que les points 0 et 1 de la courbe"));
            } else if (const int at = int(time); kept[at] >= 0) {
                leaveOut(v, QStringLiteral("la courbe a déjà un point à %1 ligne %2 ; le jeu garde le premier")
                                .arg(at).arg(line(kept[at])));
            } else {
                kept[at] = v;
                anchorValue(layoutKeys[at], v, {int(fields.at(1).data() - c.text.constData()), int(fields.at(1).size())});
                takeNumber(v, fields.at(1), at == 0 ? &R::voidIsp : &R::atmIsp);
                if (fields.size() > 2)
                    remark(v, QStringLiteral("le formulaire ne montre pas les tangentes ; elles restent dans le fichier"));
            }
        }
        leaveOutChildren(curve);
    }

    static QVector<QStringView> curveFields(QStringView text)
    {
        const auto separator = [](QChar ch) {
            return isBlank(ch) || ch == QLatin1Char(',') || ch == QLatin1Char(';');
        };
        QVector<QStringView> fields;
        for (int i = 0; i < text.size();) {
            while (i < text.size() && separator(text.at(i)))
                ++i;
            const int start = i;
            while (i < text.size() && !separator(text.at(i)))
                ++i;
            if (i > start)
                fields << text.mid(start, i - start);
        }
        return fields;
    }

    void readTank(int node, const Resource &tank)
    {
        R &r = result.request;
        r.ressourcesOn = r.*tank.on = true;
        const int layoutNode = childNamed(l.config, l.part, QLatin1String("RESOURCE"), QString::fromLatin1(tank.name));
        anchorNode(node, layoutNode);
        int amount = -1, capacity = -1;
        readValues(node, layoutNode, {
            {QLatin1String("maxAmount"), [&](int v) { capacity = v; takeNumber(v, value(v), tank.amount); }},
            {QLatin1String("amount"), [&](int v) { amount = v; }},
        });
        leaveOutChildren(node);
        double read = 0, full = 0;
        if (capacity < 0 && amount >= 0) {
            takeNumber(amount, value(amount), tank.amount);
            remark(amount, QStringLiteral("la ressource n'a pas de maxAmount ; le champ en montre cette quantité"));
        } else if (amount >= 0 && readGameNumber(value(amount), &read) && readGameNumber(value(capacity), &full)
                   && read == full) {
            ++result.valuesTaken; // a full tank: the amount follows its capacity
        } else if (amount >= 0) {
            result.anchors[l.tableLine(l.config.firstValue(layoutNode, u"amount"))].own = true;
            leaveOut(amount, QStringLiteral("le formulaire ne montre que la capacité ; cette quantité reste dans le fichier"));
        }
    }

    void readNotes()
    {
        for (const SyntaxNote &note : c.notes) {
            switch (note.kind) {
            case SyntaxNote::NotUtf8:
                add(AccountItem::Remark, note.line, note.line, QStringLiteral(
                    "des octets qui ne sont pas de l'UTF-8 ; le jeu les lit, comme le formulaire, « \uFFFD », "
                    "et le fichier les garde tels quels"));
                break;
            case SyntaxNote::NeverClosed:
                add(AccountItem::Remark, note.line, note.line, nodeName(note.node)
                        + QStringLiteral(" : son accolade n'est jamais fermée ; le bloc va jusqu'à la fin du fichier"));
                break;
            case SyntaxNote::LoneText:
                if (!lost.at(note.line))
                    leaveOutLine(note.line, quoted(c.view(note.text)) + QStringLiteral(" : ni une valeur ni le nom d'un bloc ; le jeu l'ignore"));
                break;
            case SyntaxNote::StrayClose:
                if (!lost.at(note.line))
                    leaveOutLine(note.line, QStringLiteral("une accolade } de trop ; le jeu l'ignore"));
                break;
            }
        }
        for (const ConfigComment &comment : c.comments) {
            const QString text = c.string(comment.text).trimmed();
            if (!lost.at(comment.line) && !l.comments.contains(text))
                leaveOutLine(comment.line, QStringLiteral("le commentaire %1 ; le jeu l'ignore").arg(quoted(text)));
        }
    }

    // The first and last file line of what an anchor stands for.
    int firstLine(int tableLine) const
    {
        const LineAnchor &a = result.anchors.at(tableLine);
        if (a.value >= 0)
            return line(a.value);
        if (a.line > 0)
            return a.line;
        const ConfigNode &node = c.nodes.at(a.node);
        return isCloseLine(tableLine) ? (node.closed ? c.lineAt(node.close) : node.lastLine) : c.lineAt(node.open);
    }
    bool isCloseLine(int tableLine) const
    {
        return builderLines().at(tableLine).text.trimmed() == QLatin1String("}");
    }

    // The builder's comments and empty lines that stand in the file exactly as the builder
    // writes them, between the lines anchored around them: saving removes them with their block.
    void anchorLinesAsWritten()
    {
        const QVector<BuilderLine> &table = builderLines();
        QVector<int> written;
        for (int i = 0; i < table.size(); ++i) {
            if (table.at(i).written(result.request))
                written << i;
        }
        QVector<bool> claimed(c.lineCount + 2, false);
        const auto asWritten = [&](int fileLine, int tableLine) {
            const QLatin1String text = table.at(tableLine).text;
            const bool commentOrEmpty = text.isEmpty() || text.startsWith(QLatin1String("//"));
            return commentOrEmpty && !table.at(tableLine).value && fileLine >= 1 && fileLine <= c.lineCount
                && !claimed.at(fileLine) && c.lineText(fileLine) == text;
        };
        for (int i = 0; i < written.size();) {
            if (result.anchors.at(written.at(i)).held()) {
                ++i;
                continue;
            }
            int end = i; // the run of lines [i, end) held nowhere
            while (end < written.size() && !result.anchors.at(written.at(end)).held())
                ++end;
            const int from = i > 0 ? firstLine(written.at(i - 1)) + 1 : 1;
            const int to = end < written.size() ? firstLine(written.at(end)) - 1 : c.lineCount;
            int forward = i, fileLine = from;
            for (; forward < end && fileLine <= to && asWritten(fileLine, written.at(forward)); ++forward, ++fileLine)
                result.anchors[written.at(forward)].line = fileLine, claimed[fileLine] = true;
            for (int back = end - 1, at = to; back >= forward && at >= fileLine && asWritten(at, written.at(back)); --back, --at)
                result.anchors[written.at(back)].line = at, claimed[at] = true;
            i = end;
        }
    }

    const ConfigText &c;
    const FormShape &shape;
    const BuilderLayout &l;
    QVector<bool> lost; // by line number
    PartReading result;
};

} // namespace

QString PartFile::whatInstead() const
{
    const ConfigText &c = config;
    if (c.binary)
        return QStringLiteral("ce n'est pas un fichier texte");
    QStringList names;
    for (int n = c.nodes.at(0).firstChild; n >= 0; n = c.nodes.at(n).nextSibling)
        names << c.string(c.nodes.at(n).name);
    if (names.isEmpty() && c.nodes.at(0).firstValue >= 0)
        return QStringLiteral("il ne contient que des valeurs, hors de tout bloc");
    if (names.isEmpty() && !c.comments.isEmpty())
        return QStringLiteral("il ne contient que des commentaires");
    if (names.isEmpty())
        return c.notes.isEmpty() ? QStringLiteral("il est vide") : QStringLiteral("il ne contient ni valeur ni bloc");
    static const QString operators = QStringLiteral("@+$%!-");
    QString patch;
    for (const QString &name : names) {
        if (name.isEmpty() || !operators.contains(name.at(0)))
            continue;
        const int bracket = name.indexOf(QLatin1Char('['));
        const QString type = name.mid(1, bracket < 0 ? -1 : bracket - 1).trimmed();
        const QString shown = name.at(0) + type + (bracket < 0 ? QString() : QStringLiteral("[...]"));
        if (type == QLatin1String("PART"))
            return QStringLiteral("il modifie des pièces existantes (%1)").arg(shown);
        if (patch.isEmpty())
            patch = shown;
    }
    if (!patch.isEmpty())
        return QStringLiteral("il modifie des blocs existants (%1)").arg(patch);
    for (const QString &name : names) {
        if (name.compare(QLatin1String("PART"), Qt::CaseInsensitive) == 0)
            return QStringLiteral("il définit %1, mais le jeu ne lit comme pièce que PART, en majuscules").arg(quoted(name));
    }
    names.removeDuplicates();
    for (QString &name : names)
        name = name.isEmpty() ? QStringLiteral("un bloc sans nom") : quoted(name);
    return QStringLiteral("il définit d'autres blocs que des pièces (%1%2)")
        .arg(names.mid(0, 3).join(QStringLiteral(", ")), names.size() > 3 ? QStringLiteral(", …") : QString());
}

PartFile readPartFile(const QByteArray &bytes)
{
    PartFile file;
    file.config = parseConfigText(bytes);
    const ConfigText &c = file.config;
    for (int n = c.nodes.at(0).firstChild; n >= 0; n = c.nodes.at(n).nextSibling) {
        if (c.view(c.nodes.at(n).name) != QLatin1String("PART"))
            continue;
        PartEntry part;
        part.node = n;
        for (int v = c.nodes.at(n).firstValue; v >= 0; v = c.values.at(v).next) {
            const QStringView key = c.view(c.values.at(v).key);
            if (key == QLatin1String("name") && part.name.isNull())
                part.name = c.string(c.values.at(v).value);
            else if (key == QLatin1String("title"))
                part.title = c.string(c.values.at(v).value);
        }
        file.parts.append(part);
    }
    return file;
}

PartReading readPart(const PartFile &file, int part, const FormShape &shape)
{
    return Reader(file.config, shape).read(file.parts.at(part));
}

QString PartReading::summary(const QString &fileName) const
{
    QStringList parts{counted(valuesTaken, "valeur reprise", "valeurs reprises")};
    if (linesNotShown > 0)
        parts << counted(linesNotShown, "ligne que le formulaire ne montre pas restera dans le fichier",
                         "lignes que le formulaire ne montre pas resteront dans le fichier");
    if (valuesShownOtherwise > 0)
        parts << counted(valuesShownOtherwise, "valeur que son champ montre autrement",
                         "valeurs que leur champ montre autrement");
    if (remarks > 0)
        parts << counted(remarks, "autre remarque", "autres remarques");
    return fileName + QStringLiteral(" : ") + parts.join(QStringLiteral(" ; ")) + QLatin1Char('.');
}

QString PartReading::details() const
{
    QStringList lines;
    for (int i = 0; i < items.size() && i < itemsShown; ++i) {
        const AccountItem &item = items.at(i);
        lines << (item.lastLine > item.line ? QStringLiteral("lignes %1 à %2 : ").arg(item.line).arg(item.lastLine)
                                            : QStringLiteral("ligne %1 : ").arg(item.line))
                + item.text;
    }
    if (itemCount > lines.size())
        lines << QStringLiteral("… et %1.").arg(counted(itemCount - lines.size(), "autre", "autres"));
    return lines.join(QLatin1Char('\n'));
}
