#include "print_module.h"

#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>

extern "C" Q_DECL_EXPORT void QumoPrintText(QPlainTextEdit *editor, const QString &documentName,
                                            QWidget *parent)
{
    QPrinter printer;
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog1"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    printer.setDocName(documentName);
    editor->print(&printer);
}
