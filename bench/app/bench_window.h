// The main window as the benchmarks use it: over a settings file of its own,
// so that no first-run dialog waits for an answer, and shown.
#pragma once

#include "search_bar.h"
#include "tform1.h"
#include "tform3.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

inline void WriteBenchSettings(const QTemporaryDir &dir)
{
    QFile ini(dir.filePath(QStringLiteral("qumoedit.ini")));
    ini.open(QIODevice::WriteOnly);
    ini.write("[Pre]\nPathName=/tmp\n[Option]\nKeySound=0\n");
}

// The window's parts by their object names.
inline QPlainTextEdit *Editor(const QObject *window)
{
    return window->findChild<QPlainTextEdit *>(QStringLiteral("RichEdit1"));
}
inline SearchBar *SearchBarOf(const QObject *window)
{
    return window->findChild<SearchBar *>(QStringLiteral("Panel10"));
}

struct BenchWindow
{
    BenchWindow()
    {
        WriteBenchSettings(dir);
        form1.setProgramDir(dir.path() + u'/');
        form1.setForm3(&form3);
        form1.show();
        QApplication::processEvents();
        QApplication::processEvents();
    }
    QTemporaryDir dir;
    TForm1 form1;
    TForm3 form3{&form1};
};
