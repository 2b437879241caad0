// 「文字コードを指定して開き直す」: the codes a document's file can be read
// again in, one action each, for the context menu and the status bar's code panel.
#pragma once

#include "document_format.h"

#include <QMenu>

class ReopenMenu : public QMenu
{
    Q_OBJECT

public:
    explicit ReopenMenu(QWidget *parent);

signals:
    // The file is to be read again in `code` (UTF-16: in the order its mark gives).
    void reopenRequested(DocumentCode code);
};

// Whether reading the file again in another code may throw edits away: asks, starting at いいえ.
bool AgreeToReopen(QWidget *parent, const QString &path, const QString &codeName);
