// Set files of any bytes: parsed, shown on both palettes, written back and
// expanded as templates without a crash. A written set reads back as as many
// lines, so no record shifts (the characters may not: writing puts code page
// 932 pairs into their canonical form, which can join an undecodable byte
// to its new neighbour).
#include "button_definition.h"
#include "button_faces.h"
#include "set_file_format.h"
#include "template_expansion.h"

#include <cstdlib>

using namespace Palettes;

namespace {

bool SameRecord(const ButtonRecord &a, const ButtonRecord &b)
{
    return a.caption == b.caption && a.content == b.content && a.selectStart == b.selectStart &&
           a.selectLength == b.selectLength && a.help == b.help;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const SetList list(ParseSetFile(bytes));
    if (ParseSetFile(SerializeSetFile(list.lines()).bytes).size() != list.lines().size())
        std::abort();
    (void)ButtonFaces(list, TagPalette());
    const QList<ButtonFace> clips = ButtonFaces(list, ClipPalette());

    for (int number = 0; number <= 20; number += 4) {
        (void)HoverPreview(list, number, number % 3);
        const std::optional<ButtonRecord> before = list.record(number);
        SetList copy = list;
        copy.define(number, DefinitionForDialog(list, number));
        if (before && !SameRecord(*before, *copy.record(number)))
            std::abort();
        if (!before)
            continue;
        TemplateRequest request;
        request.content = before->content.left(4096);
        request.selectStart = before->selectStart;
        request.caseMode = number % 3;
        request.selection = before->help.left(4096);
        request.now = QDateTime(QDate(2002, 12, 7), QTime(10, 0));
        request.documentPath = QStringLiteral("/web/index.html");
        const Expansion e = InsertTemplate(request, [](const QString &) { return QString(); });
        if (e.selectStart < 0 || e.selectLength < 0)
            std::abort();
    }
    return clips.size() == 20 ? 0 : (std::abort(), 0);
}
