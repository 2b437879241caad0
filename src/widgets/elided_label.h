// A label that shows a path too long for it with folders left out first, so
// that its start and its whole file name stay readable; text() and the
// accessibility bus keep the whole text.
#pragma once

#include <QLabel>

class QFontMetrics;

// `path` shortened to `width` pixels: the folders lose their middle first, the
// file name only when it alone is too wide.
QString ElidePath(const QFontMetrics &metrics, const QString &path, int width);

class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget *parent = nullptr);

    // The text as drawn now.
    QString shownText() const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
