#include "status_bar.h"

#include "editor_units.h"
#include "elided_label.h"
#include "startup_rules.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace {

// The width a panel needs to show `text` whole.
int PanelWidth(const QLabel *label, const QString &text)
{
    return label->fontMetrics().horizontalAdvance(text) + 2 * label->frameWidth() + 8;
}

} // namespace

StatusBar::StatusBar(QWidget *parent) : QStatusBar(parent), lineColumns_(EditorUnits::Length)
{
    setObjectName(QStringLiteral("StatusBar1"));
    // As high as its font needs: a fixed 18 pixels cut off underscores and descenders.
    setMinimumHeight(18);
    const struct
    {
        int width;
        Qt::Alignment alignment;
    } panels[] = {{60, Qt::AlignCenter},
                  {115, Qt::AlignCenter},
                  {130, Qt::AlignCenter},
                  {250, Qt::AlignLeft},
                  {90, Qt::AlignCenter}};
    for (const auto &p : panels) {
        // The path is shortened in its middle, so that its start and its file name show.
        QLabel *label = panels_.size() == Path ? new ElidedLabel(this) : new QLabel(this);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(panels_.size()));
        label->setAlignment(p.alignment | Qt::AlignVCenter);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(p.width);
        label->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
        // The document's code stays at the right end, past the path.
        if (panels_.size() == Code)
            addPermanentWidget(label);
        else
            addWidget(label, panels_.size() == Path ? 1 : 0);
        panels_ << label;
    }
    // The path gives way: a long path must not squeeze the clock, whose
    // text (the locale's long time format) widens its panel instead.
    panels_[Path]->setMinimumWidth(0);
    panels_[Path]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // The mode and code panels are as wide as their words (setCode fits the code's), not
    // as their Windows widths: at the default width the path gets room for its start and file name.
    QLabel *mode = panels_[Mode];
    mode->setMinimumWidth(
        qMax(PanelWidth(mode, QStringLiteral("挿入")), PanelWidth(mode, QStringLiteral("上書き"))));
    setOverwrite(false);
    panels_[Code]->installEventFilter(this);
    panels_[Code]->setToolTip(QStringLiteral("クリックすると文字コードを指定して開き直せます"));
}

bool StatusBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == panels_[Code] && event->type() == QEvent::MouseButtonRelease) {
        const auto *click = static_cast<QMouseEvent *>(event);
        if (click->button() == Qt::LeftButton)
            emit codePanelClicked(click->globalPosition().toPoint());
    }
    return QStatusBar::eventFilter(watched, event);
}

void StatusBar::setOverwrite(bool overwrite)
{
    panels_[Mode]->setText(overwrite ? QStringLiteral("上書き") : QStringLiteral("挿入"));
}

void StatusBar::showCaret(const QPlainTextEdit &editor)
{
    const QTextCursor cursor = editor.textCursor();
    const QTextDocument &text = *editor.document();
    const qsizetype column = lineColumns_.before(text, cursor.position());
    panels_[Caret]->setText(CaretPanelText(DisplayBlocks::LineNumber(cursor.block()) + 1,
                                           DisplayBlocks::LineCount(text), column));
}

void StatusBar::setClock(const QDateTime &now)
{
    const QLocale locale = QLocale::system();
    QLabel *clock = panels_[Clock];
    clock->setText(locale.toString(now.date(), QLocale::ShortFormat) + u' ' +
                   locale.toString(now.time(), QLocale::LongFormat));
    // Widened when the locale's format needs it, never narrowed.
    const int needed = PanelWidth(clock, clock->text());
    if (clock->minimumWidth() < needed)
        clock->setMinimumWidth(needed);
}

void StatusBar::setPath(const QString &path, bool newFile)
{
    // The word leads, so that shortening the folders never hides it.
    panels_[Path]->setText(newFile ? QStringLiteral("新規: ") + path : path);
}

void StatusBar::showLoading(const QString &path)
{
    setPath(QStringLiteral("読み込み中: ") + path);
    panels_[Path]->repaint();
}

void StatusBar::setCode(const QString &name)
{
    QLabel *code = panels_[Code];
    code->setText(name);
    code->setMinimumWidth(PanelWidth(code, name));
}

QString StatusBar::text(Panel panel) const
{
    return panels_.value(panel) ? panels_[panel]->text() : QString();
}
