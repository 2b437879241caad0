#include "window_picture.h"
#include "cp932.h"
#include "font_substitutions.h"
#include "tform1.h"
#include "tform3.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

const QString Page =
    QStringLiteral("<HTML>\n<HEAD>\n<TITLE>春の便り</TITLE>\n</HEAD>\n<BODY BGCOLOR=\"#FFFFFF\">\n"
                   "<H1>桜が咲きました</H1>\n<P>今年も公園の桜が見ごろになりました。\n"
                   "ｶﾀｶﾅ（半角）とカタカナ（全角）、ABC と ＡＢＣ。</P>\n"
                   "<P>①②③ ㈱ Ⅲ ～ ― ∥</P>\n</BODY>\n</HTML>\n");

bool Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

QImage WindowPicture()
{
    InstallJapaneseFontSubstitutions();
    const QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("春の便り.html"));
    if (!dir.isValid() ||
        !Write(dir.filePath(QStringLiteral("qumoedit.ini")),
               "[Position]\nWidth=820\nHeight=560\nX=20\nY=20\n[Panel]\nHtml=1\nClip=1\nColor=1\n") ||
        !Write(document, Cp932::Encode(Page)))
        return {};
    const auto form = std::make_unique<TForm1>();
    auto *form3 = new TForm3(form.get());
    form->setForm3(form3);
    form->setProgramDir(dir.path() + u'/');
    form->setCommandLine({document});
    QSignalSpy finished(form.get(), &TForm1::StartUpFinished);
    form->show();
    if (!finished.wait(5000))
        return {};
    QTest::qWait(300);
    form->Timer1Timer();
    auto *editor = form->findChild<QPlainTextEdit *>(QStringLiteral("RichEdit1"));
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(Page.indexOf(QStringLiteral("公園")));
    editor->setTextCursor(cursor);
    QTest::qWait(200);
    return form->grab().toImage();
}
