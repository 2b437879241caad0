#include "tool_panels.h"

#include "document_codec.h"
#include "folder_tree_view.h"
#include "palette_kind.h"
#include "settings_values.h"
#include "shine_speed_button.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>

void PaintTextWhite(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    widget->setPalette(palette);
}

QLabel *MakeCaption(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    PaintTextWhite(label);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

QComboBox *MakeChoice(QWidget *parent, const char *name, const QString &accessibleName,
                      const QStringList &items, const QRect &place)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessibleName);
    box->addItems(items);
    box->setGeometry(place);
    return box;
}

TShineSpeedButton *MakeGlyphButton(QWidget *parent, const char *name, const QString &hint, const char *icon,
                                   const QRect &place)
{
    auto *button = new TShineSpeedButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setGeometry(place);
    const int side = std::min(place.width(), place.height()) - 5;
    button->setGlyph(QIcon::fromTheme(QLatin1String(icon)).pixmap(QSize(side, side)).toImage());
    return button;
}

TShineSpeedButton *MakeCommandButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = new TShineSpeedButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setCaption(caption);
    button->setFixedSize(64, 22);
    return button;
}

TShineSpeedButton *MakePaletteButton(QWidget *parent, const QString &name, int tag, const QRect &place)
{
    auto *button = new TShineSpeedButton(parent);
    button->setObjectName(name);
    button->setTag(tag);
    button->setGeometry(place);
    // Captions are the user's text: "&copy;" shows as written and is no Alt key.
    button->setShowAccelChar(false);
    TShineBtnColors face(clBtnFace);
    face.setGradColor(clBtnShadow);
    face.setGradVertical(true);
    face.setGradation(true);
    button->setColors(&face);
    button->PressedColors()->setColor(clBtnShadow);
    button->setActiveFontColor(clAqua);
    return button;
}

ToolPanel::ToolPanel(const char *name, TColor colour, QWidget *parent) : QWidget(parent)
{
    setObjectName(QLatin1String(name));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, ColorToQColor(colour, p));
    setPalette(p);
}

FolderPane::FolderPane(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Panel13"));
    FVEx1 = new TFolderTreeViewEx(this);
    FVEx1->setObjectName(QStringLiteral("FVEx1"));
    FVEx1->setShowFile(true);
    FVEx1->setShellRun(true);
    FVEx1->setRootIsDecorated(false);
    FVEx1->setShowRootFolder(false);
    // Dot-names are hidden as in every Linux file view (.cache, .config, ...).
    FVEx1->setShowIncludeHidden(false);
    FVEx1->setIndentation(19);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FVEx1);
}

bool FolderPane::OpensOnClick(const QString &path)
{
    static const QStringList opened{".txt", ".htm", ".html", ".pl", ".cgi"};
    return QFileInfo(path).isFile() && opened.contains(FileExtension(path).toLower());
}

void FolderPane::ShowDocument(const QString &documentPath)
{
    const QFileInfo document(documentPath);
    FVEx1->SetSelected(document.exists() ? documentPath : document.absolutePath() + u'/');
}
