// The search bar (Panel10): its controls and nothing else. It says what the
// user asked for; the main window runs the search on the editor. It starts
// hidden, so its controls are built when it is first made visible.
#pragma once

#include "search_pattern.h"
#include "tool_panels.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class TShineSpeedButton;

class SearchBar : public ToolPanel
{
    Q_OBJECT

public:
    explicit SearchBar(QWidget *parent);

    // Shows the bar with the focus in its search field, or hides it.
    void toggle();
    // Shows the bar, with its replace row when asked, the search text selected in its field.
    void open(bool withReplace);
    // "置換" is enabled after a successful "検索" only.
    void setReplaceEnabled(bool enabled);
    // Aa区別, 正規表現 and the two matching options as ticked now.
    TextTools::SearchOptions options() const;
    // Why the search text is no regular expression, shown beside the field, which turns red; empty clears it.
    void showPatternError(const QString &message);
    // The search row with the options row is 54 pixels high, with the replace row 81.
    void fitHeight();
    void setVisible(bool visible) override;

signals:
    // The search text or an option changed: the next search starts at the top.
    void searchRestarts();
    // The same, with what is now asked for, so that a bad expression is told at once.
    void patternEdited(const QString &text, const TextTools::SearchOptions &options);
    // A check box changed (the toolbar's click sound).
    void optionToggled();
    // Escape: the editor takes the focus back.
    void leaveRequested();
    void findNextRequested(const QString &text, const TextTools::SearchOptions &options);
    void markAllRequested(const QString &text, const TextTools::SearchOptions &options);
    void replaceRequested(const QString &text, const QString &replacement,
                          const TextTools::SearchOptions &options);
    void replaceAllRequested(const QString &text, const QString &replacement,
                             const TextTools::SearchOptions &options);

private:
    void build();

    // Null until the bar is first made visible.
    QLabel *Label4 = nullptr;
    QLineEdit *Edit1 = nullptr;
    TShineSpeedButton *ShineSpeedButton4 = nullptr; // "検索"
    TShineSpeedButton *ShineSpeedButton5 = nullptr; // "全彩色"
    QCheckBox *CheckBox1 = nullptr;                 // "置換": the replace row
    QCheckBox *CheckBox5 = nullptr;                 // "Aa区別"
    QCheckBox *CheckBox6 = nullptr;                 // "正規表現"
    QCheckBox *CheckBox7 = nullptr;                 // "全角半角を区別しない"
    QCheckBox *CheckBox8 = nullptr;                 // "ひらがなカタカナを区別しない"
    QLabel *Label9 = nullptr;                       // a regular expression's error
    QLabel *Label5 = nullptr;
    QLineEdit *Edit2 = nullptr;
    TShineSpeedButton *ShineSpeedButton6 = nullptr; // "置換"
    TShineSpeedButton *ShineSpeedButton7 = nullptr; // "一括置換"
    QLabel *Label8 = nullptr;
    bool replaceEnabled_ = false;
};
