// The file-type filters of the open and save dialogs and the extension a
// chosen name gets. Filter indexes count from 1; 0 shows the first filter.
#pragma once

#include <QString>
#include <QStringList>

enum DocumentFilter {
    FilterReadable = 1,
    FilterText = 2,
    FilterHtml = 3,
    FilterIni = 4,
    FilterCgi = 5,
    FilterAll = 6,
};

// The six filters in the form QFileDialog takes.
QStringList DocumentNameFilters();

// 1-based index of a QFileDialog filter string; 0 when it is none of them.
int DocumentFilterIndex(const QString &nameFilter);

// The filter the save dialog starts with: the open dialog's, then HTML or
// text after the extension of the document's name (case-sensitive).
int SaveAsStartFilter(int openDialogIndex, const QString &oldExtension);

// `chosen` with the extension the filter gives a name that has none.
QString WithExtensionForFilter(const QString &chosen, int filterIndex, bool saveAsHtm,
                               const QString &oldExtension);

// The default name of a new document in the folder of `documentPath`.
QString NewDocumentPath(const QString &documentPath, bool tagPaletteVisible);
