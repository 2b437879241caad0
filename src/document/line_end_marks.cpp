#include "line_end_marks.h"

#include "display_blocks.h"

#include <QTextBlock>
#include <QTextDocument>

int LineEndMark(const QTextBlock &lineStart)
{
    return DisplayBlocks::LineState(lineStart);
}

void SetLineEndMark(const QTextBlock &lineStart, int mark)
{
    DisplayBlocks::SetLineState(lineStart, mark);
}

void MarkLineEnds(QTextDocument &document, const LineEnds &ends)
{
    std::size_t line = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = DisplayBlocks::NextLine(block))
        SetLineEndMark(block, int(ends.at(line++)));
}

LineEnds MarkedLineEnds(const QTextDocument &document, Jconvert::ReturnCode main)
{
    LineEnds ends{main, {}};
    ends.each.reserve(std::size_t(document.blockCount()));
    for (QTextBlock block = document.begin(); block.isValid(); block = DisplayBlocks::NextLine(block)) {
        const int state = LineEndMark(block);
        const bool marked =
            state >= int(Jconvert::ReturnCode::CrLf) && state <= int(Jconvert::ReturnCode::Lf);
        ends.each.push_back(marked ? Jconvert::ReturnCode(state) : main);
    }
    return ends;
}
