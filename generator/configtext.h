#ifndef CONFIGTEXT_H
#define CONFIGTEXT_H

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QVector>

// A configuration file read with the game's own rules: "//" starts a comment anywhere,
// "{" and "}" open and close nodes wherever they stand, the first "=" of a segment splits
// key from value, and both are trimmed of spaces and tabs. Lines end with LF, CRLF or CR.
// Everything is kept as positions in the decoded text, in flat tables (no recursion, so a
// nesting of any depth costs no stack).

struct Span
{
    int start = 0;
    int size = 0;
};

struct ConfigValue
{
    Span key;
    Span value;
    Span raw;               // what follows "=" up to a comment, a brace or the end of the line
    bool endsLine = false;  // raw runs to the end of the line
    int line = 0;           // from 1
    int node = 0;           // the node it belongs to
    int next = -1;          // the node's next value
};

struct ConfigNode
{
    Span name;
    int parent = -1;        // -1 for the file itself, node 0
    int line = 0;           // of its name, or of its brace when it has none
    int lastLine = 0;       // of its closing brace, or the file's last line when never closed
    int open = -1;          // where its "{" stands; -1 for the file itself
    int close = -1;         // where its "}" stands; -1 when never closed
    bool closed = false;
    int firstValue = -1;
    int lastValue = -1;
    int firstChild = -1;
    int lastChild = -1;
    int nextSibling = -1;
};

struct ConfigComment
{
    int line = 0;
    Span text;              // from "//" to the end of the line
};

// What the game reads otherwise than a plain line.
struct SyntaxNote
{
    enum Kind {
        NotUtf8,     // bytes that are not UTF-8, read as U+FFFD
        StrayClose,  // a "}" with no node open
        NeverClosed, // a node whose "}" never comes (its index in node)
        LoneText,    // text that is neither a value nor followed by "{": ignored
    };
    Kind kind;
    int line = 0;
    int node = -1;
    Span text;
};

// How the file's bytes were decoded; its text is written back the same way.
enum class TextEncoding { Utf8, Utf8WithBom, Utf16LittleEndian, Utf16BigEndian };

struct ConfigText
{
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
    QVector<ConfigNode> nodes;   // nodes[0] is the file itself
    QVector<ConfigValue> values;
    QVector<ConfigComment> comments;
    QVector<SyntaxNote> notes;
    QVector<bool> lineHasContent; // index: line number; a value, a name, a brace or a comment
    QVector<int> lineStart;       // index: line number; where it starts, and at lineCount + 1 the end
    QVector<int> lineEnd;         // index: line number; where its line break (if any) starts
    int lineCount = 0;
    bool binary = false;          // holds NUL bytes or mostly bytes that are not text

    QStringView view(Span span) const { return QStringView(text).mid(span.start, span.size); }
    QString string(Span span) const { return text.mid(span.start, span.size); }
    // The first value of that key in the node, or -1.
    int firstValue(int node, QStringView key) const;
    // The line that holds the position (from 1; 0 for an empty text).
    int lineAt(int position) const;
    // The line's text, without its line break.
    QStringView lineText(int line) const { return QStringView(text).mid(lineStart[line], lineEnd[line] - lineStart[line]); }
    // The innermost node whose braces enclose the position (0: the file itself).
    int nodeAt(int position) const;
};

// Reads a file's bytes: UTF-8 with or without a byte order mark, or UTF-16 with one.
ConfigText parseConfigText(const QByteArray &bytes);

// Where in the bytes each text position starts (positions in increasing order; the text's
// size maps to the bytes' end). A sequence of bytes that are not UTF-8 is one position.
QVector<int> bytePositions(const QByteArray &bytes, TextEncoding encoding, const QVector<int> &positions);

// Text to splice into bytes of that encoding (without a byte order mark).
QByteArray encodedAs(const QString &text, TextEncoding encoding);

#endif // CONFIGTEXT_H
