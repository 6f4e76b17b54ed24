#ifndef BUILDERLAYOUT_H
#define BUILDERLAYOUT_H

#include "configtext.h"

#include <QStringList>
#include <QVector>

// The first child of node with that name (and, when id is given, that first "name" value).
int childNamed(const ConfigText &c, int node, QLatin1String name, QStringView id = {});

// The builder's text with every line of its table, read as a file: the values of its fixed
// lines, its comments, and for each line of the table (its text's line, less one) the node
// it stands in. What the reader and the writer of a part file know of the builder's shape.
struct BuilderLayout
{
    ConfigText config;
    int part = -1, engine = -1, curve = -1, command = -1, internal = -1;
    QStringList comments;
    QVector<int> inside;    // by table line: the node it stands in (a node's own lines: its parent)
    QVector<int> delimits;  // by table line: the node whose name, "{" or "}" it is, else -1

    BuilderLayout();
    int tableLine(int value) const { return config.values.at(value).line - 1; }
    // The table's lines of a node: its name, its "{" and its "}".
    QVector<int> nodeLines(int node) const;
    int depth(int node) const;
};

const BuilderLayout &builderLayout();

#endif // BUILDERLAYOUT_H
