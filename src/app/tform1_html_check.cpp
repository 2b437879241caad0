// 文書チェック (F7): the findings pane, built on first use above the
// palettes' info line.
#include "html_check_pane.h"
#include "stored_text.h"
#include "tform1.h"

#include <QAction>
#include <QBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>

void TForm1::createHtmlCheck()
{
    htmlCheck_.setBuilder([this] {
        auto *pane = new HtmlCheckPane(
            RichEdit1,
            [this] {
                return HtmlCheck::CheckInput{TextTools::StoredText(*RichEdit1->document()), document_.path(),
                                             document_.format(), document_.mixedLineEnds()};
            },
            this);
        if (auto *root = qobject_cast<QBoxLayout *>(layout()))
            root->insertWidget(root->indexOf(Panel11), pane);
        return pane;
    });
    connect(command(Cmd::HtmlCheck1), &QAction::triggered, this, [this] { htmlCheck_->check(); });
}
