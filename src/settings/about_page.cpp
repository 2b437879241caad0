// The about tab of TForm3.
#include "font_substitutions.h"
#include "legible_colour.h"
#include "program_dir.h"
#include "shell_open.h"
#include "tform3.h"
#include "url_label.h"

#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QStyle>
#include <QSysInfo>
#include <QUrl>
#include <QVBoxLayout>
#include <utility>

namespace {

const char kReleaseDate[] = "2026/12/08";

QLabel *ArialBold(const QString &text, int pixelSize, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font;
    font.setFamilies(InstalledFamilies(QStringLiteral("Arial")));
    font.setBold(true);
    if (pixelSize > 0)
        font.setPixelSize(pixelSize);
    label->setFont(font);
    return label;
}

// A link to a file shipped with the program: the project has no mail address
// or web site of its own.
TURLLabel *Link(const char *name, const QString &caption, const QString &file, const TForm3 *dialog,
                QWidget *parent)
{
    auto *label = new TURLLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    // Aqua and red are hard to read on the white page: the same hues, darkened enough.
    const QColor ground = parent->palette().color(QPalette::Window);
    for (const auto &[get, set] : {std::pair{&TURLLabel::HotColor, &TURLLabel::setHotColor},
                                   std::pair{&TURLLabel::PushedColor, &TURLLabel::setPushedColor}}) {
        const QColor shown = ColorToQColor((label->*get)(), label->palette());
        (label->*set)(ColorFromQColor(LegibleOn(shown, ground)));
    }
    label->setExecutable(true);
    label->setToolTip(file);
    label->setOpener([dialog, file](const QUrl &) {
        const QString programDir = QFileInfo(dialog->iniPath()).absolutePath() + u'/';
        return OpenDocument(ShippedFilePath(programDir, file));
    });
    return label;
}

QString PlatformName()
{
    const QString kernel = QSysInfo::kernelType();
    return kernel.isEmpty() ? kernel : kernel.front().toUpper() + kernel.mid(1);
}

} // namespace

// The icon is drawn when the dialog is first shown: its renderer costs start-up.
void TForm3::drawAboutIcon()
{
    if (!aboutIcon_->pixmap().isNull())
        return;
    const QIcon appIcon = QApplication::windowIcon().isNull()
                              ? style()->standardIcon(QStyle::SP_FileDialogDetailedView)
                              : QApplication::windowIcon();
    aboutIcon_->setPixmap(appIcon.pixmap(88).scaled(79, 88));
}

QWidget *TForm3::createCopyrightPage()
{
    auto *page = new QWidget;
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(4, 4, 4, 4);

    auto *panel = new QFrame(page);
    panel->setObjectName("Panel1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(white);
    pageLayout->addWidget(panel);

    auto *layout = new QGridLayout(panel);
    auto *icon = new QLabel(panel);
    icon->setObjectName("Image1");
    icon->setFixedSize(79, 88);
    aboutIcon_ = icon;
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(ArialBold(QStringLiteral("QUMOEDIT"), 35, panel), 0, 1);
    layout->addWidget(ArialBold(QStringLiteral("for ") + PlatformName(), 0, panel), 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("%1  Version %2")
                                     .arg(QString::fromLatin1(kReleaseDate), QStringLiteral(QUMO_VERSION)),
                                 panel),
                      2, 1);

    URLLabel1 = Link("URLLabel1", QStringLiteral("QUMOEDITヘルプを開く"), QStringLiteral("help/index.html"),
                     this, panel);
    URLLabel2 = Link("URLLabel2", QStringLiteral("説明書 readme.txt を開く"), QStringLiteral("readme.txt"),
                     this, panel);
    layout->addWidget(URLLabel1, 3, 0, 1, 2);
    layout->addWidget(URLLabel2, 4, 0, 1, 2);

    auto *disclaimer = new QLabel(QStringLiteral("このソフトウェアを使用したことによりいかなる損害が\n"
                                                 "発生しても作者は責を負わないものとします。\n"
                                                 "ご利用は、使用者の責任においてご使用ください。"),
                                  panel);
    layout->addWidget(disclaimer, 5, 0, 1, 2);
    layout->setRowStretch(6, 1);
    return page;
}
