#include "partwriting.h"

#include "builderlayout.h"
#include "partconfig.h"

#include <QLocale>

#include <algorithm>

namespace {

using R = GenerationRequest;

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString counted(int n, const char *one, const char *many)
{
    return QLocale(QLocale::French).toString(n) + QLatin1Char(' ') + QString::fromUtf8(n <= 1 ? one : many);
}

// One change to the text: [start, end) replaced by text.
struct Edit
{
    enum Kind { Rewrite, Insert, Remove }; // the order of edits that start at one place
    Kind kind;
    int start;
    int end;
    QString text;
    int first = 0, last = -1; // a removal: the lines it takes
};

class Writer
{
public:
    Writer(const PartFile &file, const PartReading &reading, const R &opened, const R &now)
        : c(file.config), reading(reading), anchors(reading.anchors), opened(opened), now(now),
          table(builderLines()), l(builderLayout())
    {
    }

    PartWriting write(const QByteArray &bytes)
    {
        QVector<bool> insert(table.size(), false);
        for (int i = 0; i < table.size(); ++i)
            decide(i, &insert);
        for (int i = 0; i < table.size(); ++i) {
            if (insert.at(i))
                insertEnclosingNodes(i, &insert);
        }
        insertRuns(insert);
        return apply(bytes);
    }

private:
    bool written(int i, const R &r) const { return table.at(i).written(r); }
    const LineAnchor &anchor(int i) const { return anchors.at(i); }
    bool nodeHeld(int layoutNode) const { return anchor(l.nodeLines(layoutNode).at(0)).node >= 0; }

    // What saving does to line i of the builder's table, where the file holds it.
    void decide(int i, QVector<bool> *insert)
    {
        const BuilderLine &line = table.at(i);
        const LineAnchor &a = anchor(i);
        const bool before = written(i, opened), after = written(i, now);
        if (!a.held()) {
            // A block switched on, or a field changed whose line the part lacks.
            (*insert)[i] = after && (!before || (line.value && opened.*line.value != now.*line.value && !entryHeld(line.value)));
        } else if (a.node >= 0) {
            if (before && !after)
                removeNode(a.node);
        } else if (a.line > 0) {
            if (before && !after)
                removeLines(a.line, a.line);
        } else if (line.flag) {
            flagLine(i, before, after);
        } else if (before && !after) {
            removeValue(a.value);
        } else if (after && line.value && !a.own) {
            const QString wanted = oneLine(now.*line.value);
            // An unchanged field keeps its line, even where its field shows the value otherwise.
            if (before ? opened.*line.value != now.*line.value : c.view(a.span) != wanted)
                rewrite(a.span, wanted);
        }
    }

    // A line the builder writes for one state of a check box: its value follows the box where
    // the file has the line otherwise than the builder writes it ("fuelCrossFeed = False"
    // becomes True); the builder's own line comes and goes with its state.
    void flagLine(int i, bool before, bool after)
    {
        const BuilderLine &line = table.at(i);
        const LineAnchor &a = anchor(i);
        const QLatin1String state = now.*line.flag ? line.ticked : line.unticked;
        if (after) { // the file has its key already: its value is the state's
            if (!before && c.view(a.span) != state)
                rewrite(a.span, state);
            return;
        }
        if (!before)
            return;
        R other = now;
        other.*line.flag = !(other.*line.flag);
        const bool groupOn = written(i, other); // else the line goes with its group
        const int fileLine = c.values.at(a.value).line;
        if (!groupOn || state.isEmpty() || c.lineText(fileLine) == line.text)
            removeValue(a.value);
        else
            rewrite(a.span, state);
    }

    bool entryHeld(QString R::*entry) const
    {
        for (int j = 0; j < table.size(); ++j) {
            if (table.at(j).value == entry && anchor(j).held())
                return true;
        }
        return false;
    }

    void rewrite(Span span, const QString &text)
    {
        // An empty value goes after the blank that follows "=", where the builder writes it,
        // with one of its own where there is none.
        QString written = text;
        if (span.size == 0 && span.start > 0 && c.text.at(span.start - 1) == QLatin1Char('=')) {
            if (span.start < c.text.size() && isBlank(c.text.at(span.start)))
                span.start += 1;
            else
                written.prepend(QLatin1Char(' '));
        }
        edits.append({Edit::Rewrite, span.start, span.start + span.size, written});
        ++result.valuesChanged;
    }

    bool blankBefore(int position) const
    {
        for (int i = c.lineStart.at(c.lineAt(position)); i < position; ++i) {
            if (!isBlank(c.text.at(i)))
                return false;
        }
        return true;
    }
    // Nothing but blanks, or a comment, from the position to the end of its line.
    bool restBlank(int position) const
    {
        const int end = c.lineEnd.at(c.lineAt(position));
        while (position < end && isBlank(c.text.at(position)))
            ++position;
        return position >= end || c.view({position, end - position}).startsWith(QLatin1String("//"));
    }

    void removeLines(int first, int last)
    {
        int start = c.lineStart.at(first), end = c.lineStart.at(last + 1);
        if (last == c.lineCount && c.lineEnd.at(last) == c.text.size() && first > 1)
            start = c.lineEnd.at(first - 1); // the last line has no line end: nor will the one before
        removeRange(start, end, first, last);
    }
    void removeRange(int start, int end, int first, int last)
    {
        edits.append({Edit::Remove, start, end, QString(), first, last});
    }
    // The lines a removal takes, and among them the author's.
    void countRemoved(const Edit &removal)
    {
        result.linesRemoved += removal.last - removal.first + 1;
        for (int line = removal.first; line <= removal.last; ++line) {
            if (reading.authorsLines.value(line)) {
                QString text = c.lineText(line).trimmed().toString();
                if (text.size() > 100)
                    text = text.left(99) + QStringLiteral("…");
                result.authorsLinesRemoved << QStringLiteral("ligne %1 : %2").arg(line).arg(text);
            }
        }
    }
    void removeValue(int v)
    {
        const ConfigValue &value = c.values.at(v);
        const int start = value.key.start, end = value.raw.start + value.raw.size;
        if (blankBefore(start) && restBlank(end))
            removeLines(value.line, value.line);
        else
            removeRange(start, end, value.line, value.line);
    }
    void removeNode(int n)
    {
        if (removedNodes.contains(n))
            return;
        removedNodes << n;
        const ConfigNode &node = c.nodes.at(n);
        const int start = node.name.size > 0 ? node.name.start : node.open;
        const int end = node.closed ? node.close + 1 : c.text.size();
        const int first = c.lineAt(start), last = node.closed ? c.lineAt(node.close) : c.lineCount;
        if (blankBefore(start) && (!node.closed || restBlank(end)))
            removeLines(first, last);
        else
            removeRange(start, end, first, last);
    }

    // A line to add inside a node the part lacks brings that node's other lines with it, as
    // the builder writes them.
    void insertEnclosingNodes(int i, QVector<bool> *insert) const
    {
        for (int node = l.inside.at(i); node != l.part && node > 0 && !nodeHeld(node); node = l.config.nodes.at(node).parent) {
            const QVector<int> lines = l.nodeLines(node);
            for (int j = lines.at(0); j <= lines.at(2); ++j)
                (*insert)[j] = (*insert)[j] || (written(j, now) && !anchor(j).held());
        }
    }

    // Consecutive lines to add go together, after the last line of the nearest item before
    // them in the builder's text that the part holds, else at the start of the node's body.
    void insertRuns(const QVector<bool> &insert)
    {
        int before = -1;
        for (int i = 0; i < table.size();) {
            if (!written(i, now)) {
                ++i;
                continue;
            }
            if (!insert.at(i)) {
                if (anchor(i).held())
                    before = i;
                ++i;
                continue;
            }
            QVector<int> run;
            for (; i < table.size() && (insert.at(i) || !written(i, now) || !anchor(i).held()); ++i) {
                if (insert.at(i))
                    run << i;
            }
            insertRun(run, before);
        }
    }

    int itemEnd(int i) const
    {
        const LineAnchor &a = anchor(i);
        if (a.value >= 0)
            return c.values.at(a.value).value.start + c.values.at(a.value).value.size;
        if (a.line > 0)
            return c.lineEnd.at(a.line);
        const ConfigNode &node = c.nodes.at(a.node);
        if (table.at(i).text.trimmed() == QLatin1String("}"))
            return node.closed ? node.close + 1 : c.text.size();
        return node.open + 1;
    }

    static QString leadingBlanks(QStringView line)
    {
        int n = 0;
        while (n < line.size() && isBlank(line.at(n)))
            ++n;
        return line.left(n).toString();
    }

    QString lineEndOf(int line) const
    {
        if (line >= 1 && line <= c.lineCount && c.lineStart.at(line + 1) > c.lineEnd.at(line))
            return c.string({c.lineEnd.at(line), c.lineStart.at(line + 1) - c.lineEnd.at(line)});
        for (int n = 1; n <= c.lineCount; ++n) {
            if (c.lineStart.at(n + 1) > c.lineEnd.at(n))
                return c.string({c.lineEnd.at(n), c.lineStart.at(n + 1) - c.lineEnd.at(n)});
        }
        return QStringLiteral("\n");
    }

    void insertRun(const QVector<int> &run, int before)
    {
        const int level = l.inside.at(run.first()); // the builder's node the run stands in
        int node = anchor(l.nodeLines(level).at(0)).node;
        if (node < 0)
            node = reading.part;
        const ConfigNode &parent = c.nodes.at(node);
        const int bodyStart = parent.open + 1;

        // Where the item before ends, at the level of the node; else the body's start.
        int at = bodyStart;
        int reference = -1;     // a file line at that level, for its indentation
        int referenceLine = -1; // the builder's line of the item before, when directly in the node
        if (before >= 0 && l.delimits.at(before) != level) {
            at = itemEnd(before);
            referenceLine = before;
            for (int inner = c.nodeAt(at); inner != node;) {
                if (inner == 0 || !c.nodes.at(inner).closed) {
                    at = bodyStart, referenceLine = -1;
                    break;
                }
                at = c.nodes.at(inner).close + 1;
                referenceLine = -1;
                inner = c.nodes.at(inner).parent;
            }
            if (at != bodyStart)
                reference = c.lineAt(at - 1);
        }
        if (reference < 0) { // the node's first line of content
            const int firstValue = parent.firstValue, firstChild = parent.firstChild;
            const int valueLine = firstValue >= 0 ? c.values.at(firstValue).line : 0;
            const int childLine = firstChild >= 0 ? c.nodes.at(firstChild).line : 0;
            reference = valueLine && childLine ? qMin(valueLine, childLine) : qMax(valueLine, childLine);
            if (reference > 0 && reference == c.lineAt(parent.open))
                reference = -1; // on the brace's line: no indentation of its own
        }

        // Indented as the lines around it: as the builder writes them where the file is laid
        // out as the builder lays it out, else by the file's own indentation, level by level.
        const int builderIndent = table.at(referenceLine >= 0 ? referenceLine : run.first()).indent();
        const QString indent = reference > 0 ? leadingBlanks(c.lineText(reference)) : QString();
        const bool asBuilder = reference <= 0 || indent == QString(builderIndent, QLatin1Char(' '));
        const QString nodeIndent = leadingBlanks(c.lineText(c.lineAt(parent.name.size > 0 ? parent.name.start : parent.open)));
        QString unit = indent.startsWith(nodeIndent) && indent.size() > nodeIndent.size() ? indent.mid(nodeIndent.size())
                                                                                          : indent;
        if (unit.isEmpty() || (unit.contains(QLatin1Char('\t')) && unit != QLatin1String("\t")))
            unit = QStringLiteral("\t");
        QStringList lines;
        for (const int i : run) {
            const QString text = table.at(i).textFor(now);
            if (asBuilder) {
                lines << text;
                continue;
            }
            const QString body = text.mid(table.at(i).indent());
            const int depth = l.depth(l.inside.at(i)) - l.depth(level);
            lines << (body.isEmpty() ? QString() : indent + unit.repeated(depth) + body);
        }
        result.linesAdded += lines.size();

        const int line = c.lineAt(at);
        const QString eol = lineEndOf(line);
        if (restBlank(at) && c.lineStart.at(line + 1) > c.lineEnd.at(line))
            edits.append({Edit::Insert, c.lineStart.at(line + 1), c.lineStart.at(line + 1), lines.join(eol) + eol});
        else if (restBlank(at))
            edits.append({Edit::Insert, c.lineEnd.at(line), c.lineEnd.at(line), eol + lines.join(eol)});
        else
            edits.append({Edit::Insert, at, at, eol + lines.join(eol) + eol});
    }

    PartWriting apply(const QByteArray &bytes)
    {
        // Removals merged; what lies in a removed range goes with it, a line added there
        // comes before it.
        QVector<Edit> removals, others;
        for (const Edit &edit : edits)
            (edit.kind == Edit::Remove ? removals : others).append(edit);
        std::sort(removals.begin(), removals.end(), [](const Edit &a, const Edit &b) { return a.start < b.start; });
        QVector<Edit> merged;
        for (const Edit &removal : removals) {
            if (!merged.isEmpty() && removal.start < merged.last().end) {
                merged.last().end = qMax(merged.last().end, removal.end);
                merged.last().first = qMin(merged.last().first, removal.first);
                merged.last().last = qMax(merged.last().last, removal.last);
            } else {
                merged.append(removal);
            }
        }
        for (const Edit &removal : merged)
            countRemoved(removal);
        QVector<Edit> all = merged;
        for (Edit edit : others) {
            const auto within = std::find_if(merged.begin(), merged.end(), [&](const Edit &r) {
                return edit.start >= r.start && edit.start < r.end;
            });
            if (within != merged.end() && edit.kind == Edit::Rewrite) {
                --result.valuesChanged;
                continue;
            }
            if (within != merged.end())
                edit.start = edit.end = within->start;
            all.append(edit);
        }
        std::stable_sort(all.begin(), all.end(), [](const Edit &a, const Edit &b) {
            return a.start != b.start ? a.start < b.start : a.kind < b.kind;
        });

        QVector<int> positions;
        for (const Edit &edit : all)
            positions << edit.start << edit.end;
        std::sort(positions.begin(), positions.end());
        positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
        const QVector<int> at = bytePositions(bytes, c.encoding, positions);
        const auto byteAt = [&](int position) {
            return at.at(int(std::lower_bound(positions.begin(), positions.end(), position) - positions.begin()));
        };
        QByteArray out;
        out.reserve(bytes.size() + 1024);
        int copied = 0;
        for (const Edit &edit : all) {
            const int start = byteAt(edit.start);
            out.append(bytes.constData() + copied, start - copied);
            out.append(encodedAs(edit.text, c.encoding));
            copied = qMax(start, byteAt(edit.end));
        }
        out.append(bytes.constData() + copied, bytes.size() - copied);
        result.bytes = out;
        return result;
    }

    const ConfigText &c;
    const PartReading &reading;
    const QVector<LineAnchor> &anchors;
    const R &opened;
    const R &now;
    const QVector<BuilderLine> &table;
    const BuilderLayout &l;
    QVector<Edit> edits;
    QVector<int> removedNodes;
    PartWriting result;
};

} // namespace

PartWriting writePart(const QByteArray &bytes, const PartFile &file, const PartReading &reading,
                      const GenerationRequest &opened, const GenerationRequest &now)
{
    if (reading.anchors.size() != builderLines().size()) { // not a reading of this file
        PartWriting unchanged;
        unchanged.bytes = bytes;
        return unchanged;
    }
    return Writer(file, reading, opened, now).write(bytes);
}

QString PartWriting::summary(const QString &fileName) const
{
    QStringList parts;
    if (valuesChanged > 0)
        parts << counted(valuesChanged, "valeur changée", "valeurs changées");
    if (linesAdded > 0)
        parts << counted(linesAdded, "ligne ajoutée", "lignes ajoutées");
    if (linesRemoved > 0)
        parts << counted(linesRemoved, "ligne supprimée", "lignes supprimées");
    return parts.isEmpty() ? fileName + QStringLiteral(" enregistré")
                           : fileName + QStringLiteral(" enregistré : ") + parts.join(QStringLiteral(", "));
}
