#include "TextBlock.h"

namespace TextBlock {

namespace {

bool isControl(QChar c)
{
    return c == Centre || c == Right || c == DotLeaders || c == NewLine;
}

} // namespace

QList<TextBlockLine> Parse(const QString& block)
{
    QList<TextBlockLine> lines(1);
    TextField field;
    const auto endField = [&](TextField::Place nextPlace, bool nextLeaders) {
        // An empty field prints nothing, but its dot leaders go on to the next one.
        if (field.text.isEmpty()) {
            nextLeaders = nextLeaders || field.dotLeaders;
        } else {
            lines.last().append(field);
        }
        field = TextField{QString(), nextPlace, nextLeaders};
    };
    for (qsizetype i = 0; i < block.size(); ++i) {
        const QChar c = block.at(i);
        if (!isControl(c)) {
            field.text += c;
            continue;
        }
        if (i + 1 < block.size() && block.at(i + 1) == c) {
            field.text += c;
            ++i;
            continue;
        }
        if (c == Centre) {
            endField(TextField::Place::Centre, false);
        } else if (c == Right) {
            endField(TextField::Place::Right, false);
        } else if (c == DotLeaders) {
            endField(field.text.isEmpty() ? field.place : TextField::Place::Left, true);
        } else {
            endField(TextField::Place::Left, false);
            lines.append(TextBlockLine{});
        }
    }
    if (!field.text.isEmpty())
        lines.last().append(field);
    return lines;
}

} // namespace TextBlock
