#include "recent_menu.h"

#include <QDir>
#include <QFileInfo>

RecentMenu::RecentMenu(std::function<QStringList()> files, QWidget *parent)
    : QMenu(QStringLiteral("最近使ったファイル"), parent), files_(std::move(files))
{
    setObjectName(QStringLiteral("RecentMenu"));
    menuAction()->setObjectName(QStringLiteral("Recent1"));
    connect(this, &QMenu::aboutToShow, this, &RecentMenu::fill);
    fill();
}

void RecentMenu::fill()
{
    clear();
    const QStringList files = files_();
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        // A number key chooses it; the name's own "&" stays a character.
        QAction *action = addAction(QStringLiteral("&%1 ").arg((i + 1) % 10) +
                                    QDir::toNativeSeparators(path).replace(u'&', QStringLiteral("&&")));
        action->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        action->setToolTip(path);
        action->setEnabled(QFileInfo(path).isFile());
        connect(action, &QAction::triggered, this, [this, path] { emit openRequested(path); });
    }
    if (files.isEmpty())
        addAction(QStringLiteral("（なし）"))->setEnabled(false);
}
