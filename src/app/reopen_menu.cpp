#include "reopen_menu.h"

#include <QDir>
#include <QMessageBox>

ReopenMenu::ReopenMenu(QWidget *parent) : QMenu(QStringLiteral("文字コードを指定して開き直す"), parent)
{
    setObjectName(QStringLiteral("ReopenMenu"));
    menuAction()->setObjectName(QStringLiteral("Reopen1"));
    const struct
    {
        const char *name;
        const char *caption;
        DocumentCode code;
    } codes[] = {
        {"ReopenSjis", "Shift_JIS", DocumentCode::Sjis},  {"ReopenEuc", "EUC-JP", DocumentCode::Euc},
        {"ReopenJis", "JIS", DocumentCode::Jis},          {"ReopenUtf8", "UTF-8", DocumentCode::Utf8},
        {"ReopenUtf16", "UTF-16", DocumentCode::Utf16Le},
    };
    for (const auto &c : codes) {
        QAction *action = addAction(QLatin1String(c.caption));
        action->setObjectName(QLatin1String(c.name));
        const DocumentCode code = c.code;
        connect(action, &QAction::triggered, this, [this, code] { emit reopenRequested(code); });
    }
}

bool AgreeToReopen(QWidget *parent, const QString &path, const QString &codeName)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("QUMOEDIT"),
                    QStringLiteral("%1\nを %2 で読み込み直しますか？\n（編集中の変更は失われます）")
                        .arg(QDir::toNativeSeparators(path), codeName),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("ReopenQuestion"));
    box.setTextFormat(Qt::PlainText);
    // Enter must not throw the user's edits away.
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
