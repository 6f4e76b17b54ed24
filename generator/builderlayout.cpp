#include "builderlayout.h"

#include "partconfig.h"

int childNamed(const ConfigText &c, int node, QLatin1String name, QStringView id)
{
    for (int n = c.nodes.at(node).firstChild; n >= 0; n = c.nodes.at(n).nextSibling) {
        if (c.view(c.nodes.at(n).name) != name)
            continue;
        const int v = c.firstValue(n, u"name");
        if (id.isNull() || (v >= 0 && c.view(c.values.at(v).value) == id))
            return n;
    }
    return -1;
}

BuilderLayout::BuilderLayout()
{
    config = parseConfigText(everyBuilderLine().toUtf8());
    part = childNamed(config, 0, QLatin1String("PART"));
    engine = childNamed(config, part, QLatin1String("MODULE"), u"ModuleEngines");
    curve = childNamed(config, engine, QLatin1String("atmosphereCurve"));
    command = childNamed(config, part, QLatin1String("MODULE"), u"ModuleCommand");
    internal = childNamed(config, part, QLatin1String("INTERNAL"));
    for (const ConfigComment &comment : config.comments)
        comments << config.string(comment.text).trimmed();
    const int lines = config.lineCount;
    inside.resize(lines);
    delimits.fill(-1, lines);
    for (int line = 1; line <= lines; ++line)
        inside[line - 1] = config.nodeAt(config.lineStart.at(line));
    for (int n = 1; n < config.nodes.size(); ++n) {
        for (const int line : nodeLines(n)) {
            delimits[line] = n;
            inside[line] = config.nodes.at(n).parent;
        }
    }
}

QVector<int> BuilderLayout::nodeLines(int node) const
{
    const ConfigNode &n = config.nodes.at(node);
    return {n.line - 1, config.lineAt(n.open) - 1, config.lineAt(n.close) - 1};
}

int BuilderLayout::depth(int node) const
{
    int depth = 0;
    for (; node > 0; node = config.nodes.at(node).parent)
        ++depth;
    return depth;
}

const BuilderLayout &builderLayout()
{
    static const BuilderLayout layout;
    return layout;
}
