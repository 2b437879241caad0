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

    void show(const DocumentFormat &format);
    DocumentFormat chosen() const;

    QComboBox *code;
    QComboBox *lineEnd;
};
