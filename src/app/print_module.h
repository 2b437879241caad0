// The printing module's one entry point: Qt's print support, in a module of
// its own (src/print) that the program loads when it first prints, so that
// start-up does not map it.
#pragma once

class QPlainTextEdit;
class QString;
class QWidget;

// The print dialog over `parent`; once accepted, `editor`'s text printed
// under the name `documentName`.
using PrintText = void (*)(QPlainTextEdit *editor, const QString &documentName, QWidget *parent);
#define QUMO_PRINT_TEXT "QumoPrintText"
