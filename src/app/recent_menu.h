// 「最近使ったファイル」: the last documents opened or saved, newest first;
// names that no longer exist are greyed.
#pragma once

#include <QMenu>
#include <functional>

class RecentMenu : public QMenu
{
    Q_OBJECT

public:
    // `files` gives the list each time the menu opens.
    RecentMenu(std::function<QStringList()> files, QWidget *parent);

signals:
    void openRequested(const QString &path);

private:
    void fill();

    std::function<QStringList()> files_;
};
