// The code and line end the save dialog offers below its file name.
#pragma once

#include "document_format.h"

class QComboBox;
class QFileDialog;

class SaveFormatChoice
{
public:
    // Adds the two boxes to `dialog`, which must not be the desktop's own.
    explicit SaveFormatChoice(QFileDialog *dialog);

    // Offers `format`; with `mixedLineEnds` the line-end box also offers, and starts at, keeping
    // every line's own end.
    void show(const DocumentFormat &format, bool mixedLineEnds = false);
    DocumentFormat chosen() const;
    // Whether a document with mixed line ends keeps them (else every line gets chosen().lineEnd).
    bool keepsMixedLineEnds() const;

private:
    QComboBox *code_;
    QComboBox *lineEnd_;
    DocumentFormat shown_;
};
