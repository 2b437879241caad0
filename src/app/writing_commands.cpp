#include "writing_commands.h"

#include "char_references.h"
#include "character_kinds.h"
#include "document.h"
#include "document_codec.h"
#include "stored_text.h"
#include "text_commands.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>

namespace {

// Where tags and references are the page's own: the names the editor saves HTML under.
bool IsHtmlPath(const QString &path)
{
    const QString extension = FileExtension(path).toLower();
    return extension.contains(QStringLiteral(".htm")) || extension == QStringLiteral(".shtml") ||
           extension == QStringLiteral(".xhtml");
}

} // namespace

WritingCommands::WritingCommands(QPlainTextEdit *editor, const Document *document, QMenu *popupMenu,
                                 const char *before, QWidget *window)
    : QObject(window), editor_(editor), document_(document), window_(window)
{
    using TextTools::CharacterKind;
    const struct
    {
        Tool tool;
        const char *name;
        const char16_t *text;
    } tools[] = {
        {Tool::FullAlnumToHalf, "KindFullAlnumToHalf", u"全角英数→半角"},
        {Tool::HalfAlnumToFull, "KindHalfAlnumToFull", u"半角英数→全角"},
        {Tool::FullKanaToHalf, "KindFullKanaToHalf", u"全角カナ→半角カナ"},
        {Tool::HalfKanaToFull, "KindHalfKanaToFull", u"半角カナ→全角カナ"},
        {Tool::HiraganaToKatakana, "KindHiraganaToKatakana", u"ひらがな→カタカナ"},
        {Tool::KatakanaToHiragana, "KindKatakanaToHiragana", u"カタカナ→ひらがな"},
        {Tool::FullSpaceToHalf, "KindFullSpaceToHalf", u"全角スペース→半角"},
        {Tool::HalfSpaceToFull, "KindHalfSpaceToFull", u"半角スペース→全角"},
        {Tool::ToReferences, "ToReferences", u"文字参照に変換"},
        {Tool::FromReferences, "FromReferences", u"文字参照を文字に戻す"},
        {Tool::CountCharacters, "CountCharacters", u"文字数を数える"},
    };
    for (const auto &t : tools) {
        auto *action = new QAction(QString::fromUtf16(t.text), window);
        action->setObjectName(QLatin1String(t.name));
        actions_[size_t(t.tool)] = action;
    }

    QAction *at = popupMenu->findChild<QAction *>(QLatin1String(before), Qt::FindDirectChildrenOnly);
    if (at == nullptr || !popupMenu->actions().contains(at))
        at = nullptr;
    auto *kinds = new QMenu(QStringLiteral("文字種変換"), popupMenu);
    kinds->setObjectName(QStringLiteral("CharacterKindMenu"));
    kinds->menuAction()->setObjectName(QStringLiteral("CharacterKind"));
    for (int i = 0; i <= int(Tool::HalfSpaceToFull); ++i)
        kinds->addAction(actions_[size_t(i)]);
    popupMenu->insertMenu(at, kinds);
    popupMenu->insertActions(
        at, {action(Tool::ToReferences), action(Tool::FromReferences), action(Tool::CountCharacters)});

    for (int i = 0; i <= int(Tool::HalfSpaceToFull); ++i) {
        const auto kind = CharacterKind(i);
        connect(actions_[size_t(i)], &QAction::triggered, this, [this, kind] {
            const TextTools::KindScope scope{IsHtmlPath(document_->path()),
                                             IsUnicode(document_->format().code)};
            rewrite([kind, scope](const QString &text) {
                return TextTools::ConvertCharacterKind(text, kind, scope);
            });
        });
    }
    connect(action(Tool::ToReferences), &QAction::triggered, this, [this] {
        const bool any = IsUnicode(document_->format().code);
        rewrite([any](const QString &text) { return TextTools::EscapeReferences(text, any); });
    });
    connect(action(Tool::FromReferences), &QAction::triggered, this, [this] {
        const bool any = IsUnicode(document_->format().code);
        rewrite([any](const QString &text) { return TextTools::UnescapeReferences(text, any); });
    });
    connect(action(Tool::CountCharacters), &QAction::triggered, this, &WritingCommands::countCharacters);
    countDialog_.setBuilder([window] { return new CountDialog(window); });
}

void WritingCommands::rewrite(const std::function<std::optional<QString>(const QString &)> &rewrite)
{
    bool failed = false;
    const auto apply = [&](const QString &text) {
        std::optional<QString> result = rewrite(text);
        failed = !result;
        return result ? *result : text;
    };
    if (editor_->textCursor().hasSelection())
        TextCommands::RewriteSelection(editor_, apply);
    else
        TextCommands::RewriteWhole(editor_, apply);
    if (failed)
        QMessageBox::warning(window_, QStringLiteral("QUMOEDIT"),
                             QStringLiteral("文字種を変換できません (ICU の変換規則が見つかりません)。"));
}

void WritingCommands::countCharacters()
{
    const QTextCursor cursor = editor_->textCursor();
    countDialog_->count(TextTools::StoredText(*editor_->document()),
                        cursor.hasSelection() ? TextTools::StoredSelection(cursor) : QString(),
                        document_->format());
}

void WritingCommands::countOnClick(QWidget *panel)
{
    countPanel_ = panel;
    if (panel != nullptr)
        panel->installEventFilter(this);
}

bool WritingCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == countPanel_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        countCharacters();
    return QObject::eventFilter(watched, event);
}
