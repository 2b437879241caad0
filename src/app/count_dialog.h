// "文字数を数える": the counts of the whole text and of the selection, made
// on a thread of their own so that a large document never holds the window,
// and the 原稿用紙 pages for the page size the user sets.
#pragma once

#include "document_format.h"
#include "text_counts.h"

#include <QDialog>
#include <QList>
#include <optional>

class QLabel;
class QSpinBox;

class CountDialog : public QDialog
{
    Q_OBJECT

public:
    enum Row { Characters, Visible, Lines, Bytes, Pages, RowCount };
    enum Column { Whole, Selection };

    explicit CountDialog(QWidget *parent);

    // Shows the dialog at once and the figures when they are counted, the
    // bytes as `format` writes them (the whole text with its byte-order
    // mark); an empty `selection` counts as none. A count started earlier
    // is dropped.
    void count(const QString &whole, const QString &selection, const DocumentFormat &format);
    // Whether a count is still running.
    bool counting() const { return counting_; }
    // The figure shown, as the user reads it.
    QString figure(Row row, Column column) const;
    QSpinBox *columnsBox() const { return columns_; }
    QSpinBox *rowsBox() const { return rows_; }

signals:
    void counted();

private:
    struct Counted
    {
        std::optional<TextTools::TextCounts> counts;
        qsizetype bytes = 0;
    };
    void showCounts(const Counted &whole, const Counted &selection, bool hasSelection);
    void showPages();

    QLabel *figures_[RowCount][2] = {};
    QLabel *bytesCaption_ = nullptr;
    QSpinBox *columns_ = nullptr;
    QSpinBox *rows_ = nullptr;
    QList<qsizetype> lineLengths_[2];
    bool hasCounts_[2] = {};
    bool counting_ = false;
    int generation_ = 0;
};
