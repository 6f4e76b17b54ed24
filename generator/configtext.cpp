#include "configtext.h"

#include <algorithm>
#include <limits>

namespace {

constexpr ushort replacementCharacter = 0xfffd;

// One UTF-8 sequence at p, as a strict decoder reads it: the code point, or -1 for the longest
// invalid sequence there (read as one U+FFFD). Moves p past it.
int decodeSequence(const uchar *&p, const uchar *end)
{
    const uchar lead = *p++;
    if (lead < 0x80)
        return lead;
    int needed = 0;
    uint code = 0;
    uchar low = 0x80, high = 0xbf;
    if (lead >= 0xc2 && lead <= 0xdf) {
        needed = 1, code = lead & 0x1f;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        needed = 2, code = lead & 0x0f;
        low = lead == 0xe0 ? 0xa0 : 0x80, high = lead == 0xed ? 0x9f : 0xbf;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        needed = 3, code = lead & 0x07;
        low = lead == 0xf0 ? 0x90 : 0x80, high = lead == 0xf4 ? 0x8f : 0xbf;
    }
    int got = 0;
    while (got < needed && p < end && *p >= low && *p <= high) {
        code = code << 6 | (*p++ & 0x3f);
        low = 0x80, high = 0xbf;
        ++got;
    }
    return needed == 0 || got < needed ? -1 : int(code);
}

// Each invalid sequence becomes one U+FFFD, whose positions go to invalidAt.
QString decodeUtf8(const uchar *p, const uchar *end, QVector<int> *invalidAt)
{
    QString text(int(end - p), Qt::Uninitialized); // never more characters than bytes
    ushort *out = reinterpret_cast<ushort *>(text.data());
    ushort *const first = out;
    while (p < end) {
        if (*p < 0x80) { // the common case, without a call
            *out++ = *p++;
            continue;
        }
        const int code = decodeSequence(p, end);
        if (code < 0) {
            invalidAt->append(int(out - first));
            *out++ = replacementCharacter;
        } else if (code >= 0x10000) {
            *out++ = ushort(0xd7c0 + (code >> 10));
            *out++ = ushort(0xdc00 | (code & 0x3ff));
        } else {
            *out++ = ushort(code);
        }
    }
    text.truncate(int(out - first));
    return text;
}

int byteOrderMarkSize(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return 0;
    case TextEncoding::Utf8WithBom:
        return 3;
    default:
        return 2;
    }
}

QString decodeUtf16(const uchar *p, const uchar *end, bool bigEndian)
{
    QString text(int((end - p) / 2), Qt::Uninitialized);
    ushort *out = reinterpret_cast<ushort *>(text.data());
    for (; p + 1 < end; p += 2)
        *out++ = bigEndian ? ushort(p[0] << 8 | p[1]) : ushort(p[1] << 8 | p[0]);
    return text;
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

class Parser
{
public:
    explicit Parser(ConfigText &config) : c(config), t(config.text)
    {
        c.nodes.append(ConfigNode{});
        open.append(0);
    }

    void line(int start, int end, int number)
    {
        lineNumber = number;
        bool content = false;
        int segment = start;
        int contentEnd = end;
        for (int i = start; i < end; ++i) {
            const QChar ch = t.at(i);
            if (ch == QLatin1Char('/') && i + 1 < end && t.at(i + 1) == QLatin1Char('/')) {
                c.comments.append(ConfigComment{number, {i, end - i}});
                content = true;
                contentEnd = i;
                break;
            }
            if (ch == QLatin1Char('{') || ch == QLatin1Char('}')) {
                text(segment, i, false);
                ch == QLatin1Char('{') ? openNode(i) : closeNode(i);
                content = true;
                segment = i + 1;
            }
        }
        content = text(segment, contentEnd, contentEnd == end) || content;
        c.lineHasContent.append(content);
    }

    void finish()
    {
        dropPending();
        c.nodes[0].lastLine = c.lineCount;
        for (int i = open.size() - 1; i > 0; --i) {
            c.nodes[open[i]].lastLine = c.lineCount;
            c.notes.append(SyntaxNote{SyntaxNote::NeverClosed, c.nodes[open[i]].line, open[i], c.nodes[open[i]].name});
        }
    }

private:
    // A segment between braces and comments; false when it is blank.
    bool text(int start, int end, bool endsLine)
    {
        const int rawEnd = end;
        while (start < end && isBlank(t.at(start)))
            ++start;
        while (end > start && isBlank(t.at(end - 1)))
            --end;
        if (start == end)
            return false;
        int equals = start;
        while (equals < end && t.at(equals) != QLatin1Char('='))
            ++equals;
        if (equals == end) {
            dropPending();
            pending = {start, end - start};
            pendingLine = lineNumber;
            return true;
        }
        dropPending();
        ConfigValue value;
        value.key = trimmed(start, equals);
        value.value = trimmed(equals + 1, end);
        value.raw = {equals + 1, rawEnd - equals - 1};
        value.endsLine = endsLine;
        value.line = lineNumber;
        value.node = open.last();
        ConfigNode &node = c.nodes[open.last()];
        const int index = c.values.size();
        (node.lastValue < 0 ? node.firstValue : c.values[node.lastValue].next) = index;
        node.lastValue = index;
        c.values.append(value);
        return true;
    }

    Span trimmed(int start, int end) const
    {
        while (start < end && isBlank(t.at(start)))
            ++start;
        while (end > start && isBlank(t.at(end - 1)))
            --end;
        return {start, end - start};
    }

    void dropPending()
    {
        if (pendingLine > 0)
            c.notes.append(SyntaxNote{SyntaxNote::LoneText, pendingLine, -1, pending});
        pendingLine = 0;
    }

    void openNode(int at)
    {
        ConfigNode node;
        node.parent = open.last();
        node.open = at;
        node.line = pendingLine > 0 ? pendingLine : lineNumber;
        node.name = pendingLine > 0 ? pending : Span{};
        pendingLine = 0;
        const int index = c.nodes.size();
        ConfigNode &parent = c.nodes[node.parent];
        (parent.lastChild < 0 ? parent.firstChild : c.nodes[parent.lastChild].nextSibling) = index;
        parent.lastChild = index;
        c.nodes.append(node);
        open.append(index);
    }

    void closeNode(int at)
    {
        dropPending();
        if (open.size() == 1) {
            c.notes.append(SyntaxNote{SyntaxNote::StrayClose, lineNumber, -1, {}});
            return;
        }
        ConfigNode &node = c.nodes[open.takeLast()];
        node.lastLine = lineNumber;
        node.close = at;
        node.closed = true;
    }

    ConfigText &c;
    const QString &t;
    QVector<int> open; // the nodes still open, the file first
    Span pending;      // a name waiting for its "{"
    int pendingLine = 0;
    int lineNumber = 0;
};

} // namespace

int ConfigText::firstValue(int node, QStringView key) const
{
    for (int v = nodes.at(node).firstValue; v >= 0; v = values.at(v).next) {
        if (view(values.at(v).key) == key)
            return v;
    }
    return -1;
}

ConfigText parseConfigText(const QByteArray &bytes)
{
    ConfigText config;
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    const uchar *end = p + bytes.size();
    QVector<int> invalidAt;
    if (bytes.startsWith("\xef\xbb\xbf"))
        config.encoding = TextEncoding::Utf8WithBom;
    else if (bytes.startsWith("\xff\xfe"))
        config.encoding = TextEncoding::Utf16LittleEndian;
    else if (bytes.startsWith("\xfe\xff"))
        config.encoding = TextEncoding::Utf16BigEndian;
    const int bom = byteOrderMarkSize(config.encoding);
    if (bom == 2)
        config.text = decodeUtf16(p + 2, end, config.encoding == TextEncoding::Utf16BigEndian);
    else
        config.text = decodeUtf8(p + bom, end, &invalidAt);

    const QString &t = config.text;
    config.binary = t.contains(QChar(0)) || invalidAt.size() > bytes.size() / 10;
    // Room for every line at once: a part file has a line per 20 to 40 characters.
    const int lines = int(qMin<qint64>(t.size() / 16 + 2, std::numeric_limits<int>::max() / 8));
    config.lineHasContent.reserve(lines);
    config.lineStart.reserve(lines);
    config.lineEnd.reserve(lines);
    config.lineHasContent.append(false); // no line 0
    config.lineStart.append(0);
    config.lineEnd.append(0);
    Parser parser(config);
    int invalid = 0;
    for (int start = 0, number = 1; start < t.size(); ++number) {
        int end = start;
        while (end < t.size() && t.at(end) != QLatin1Char('\n') && t.at(end) != QLatin1Char('\r'))
            ++end;
        config.lineCount = number;
        config.lineStart.append(start);
        config.lineEnd.append(end);
        parser.line(start, end, number);
        if (invalid < invalidAt.size() && invalidAt.at(invalid) < end) {
            config.notes.append(SyntaxNote{SyntaxNote::NotUtf8, number, -1, {start, end - start}});
            while (invalid < invalidAt.size() && invalidAt.at(invalid) < end)
                ++invalid;
        }
        start = end + 1;
        if (end + 1 < t.size() && t.at(end) == QLatin1Char('\r') && t.at(end + 1) == QLatin1Char('\n'))
            ++start;
    }
    parser.finish();
    config.lineStart.append(t.size());
    return config;
}

int ConfigText::lineAt(int position) const
{
    // The last line that starts at or before the position.
    const auto after = std::upper_bound(lineStart.begin() + 1, lineStart.begin() + 1 + lineCount, position);
    return int(after - lineStart.begin()) - 1;
}

int ConfigText::nodeAt(int position) const
{
    // Nodes are stored parent first: the last one that encloses the position is the innermost.
    int inner = 0;
    for (int n = 1; n < nodes.size(); ++n) {
        const ConfigNode &node = nodes.at(n);
        if (node.open < position && (node.close < 0 || position <= node.close))
            inner = n;
    }
    return inner;
}

QVector<int> bytePositions(const QByteArray &bytes, TextEncoding encoding, const QVector<int> &positions)
{
    QVector<int> at;
    at.reserve(positions.size());
    const int bom = byteOrderMarkSize(encoding);
    if (encoding == TextEncoding::Utf16LittleEndian || encoding == TextEncoding::Utf16BigEndian) {
        for (const int position : positions)
            at.append(qMin(int(bytes.size()), bom + 2 * position));
        return at;
    }
    const auto *first = reinterpret_cast<const uchar *>(bytes.constData());
    const uchar *p = first + qMin(bom, int(bytes.size()));
    const uchar *const end = first + bytes.size();
    int text = 0; // the text position p stands at
    for (const int position : positions) {
        while (p < end) {
            const uchar *next = p;
            const int code = decodeSequence(next, end);
            const int units = code >= 0x10000 ? 2 : 1;
            if (text + units > position)
                break;
            text += units;
            p = next;
        }
        at.append(int(p - first));
    }
    return at;
}

QByteArray encodedAs(const QString &text, TextEncoding encoding)
{
    if (encoding != TextEncoding::Utf16LittleEndian && encoding != TextEncoding::Utf16BigEndian)
        return text.toUtf8();
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    const bool big = encoding == TextEncoding::Utf16BigEndian;
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xff);
        bytes.append(big ? high : low).append(big ? low : high);
    }
    return bytes;
}
