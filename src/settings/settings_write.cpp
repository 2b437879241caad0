#include "settings_write.h"

#include <QDir>
#include <QFileInfo>

#include "profile_file.h"

#include <QFile>
#include <QMessageBox>

namespace {

// Reading strips one pair of enclosing quotes and the blanks around a value;
// a value that would lose anything that way is written inside double quotes.
QString ProtectForReading(const QString &value)
{
    const bool enclosed = value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
                          value.back() == value.front();
    const bool padded = value != value.trimmed();
    return enclosed || padded ? u'"' + value + u'"' : value;
}

void WriteText(ProfileFile &ini, const QString &section, const QString &key, const QString &value)
{
    ini.writeString(section, key, ProtectForReading(value));
}

void WriteColour(ProfileFile &ini, const QString &key, TColor value)
{
    ini.writeInt("PreI", key, static_cast<int>(value));
}

} // namespace

QString DocumentFolder(const QString &documentPath)
{
    // After "/setup" the document path is the remembered folder itself.
    if (QFileInfo(documentPath).isDir())
        return QDir::cleanPath(documentPath);
    const qsizetype slash = documentPath.lastIndexOf(u'/');
    if (slash < 0)
        return QString();
    return documentPath.left(slash == 0 ? 1 : slash);
}

bool IsBrowserCachePath(const QString &documentPath)
{
    return documentPath.contains(QStringLiteral("/Temporary Internet Files/"));
}

void WriteSettings(ProfileFile &ini, const MainWindowSettings &window, const QString &documentPath,
                   const DialogOptions &options)
{
    ini.writeInt("Position", "X", window.x);
    ini.writeInt("Position", "Y", window.y);
    ini.writeInt("Position", "Height", window.height);
    ini.writeInt("Position", "Width", window.width);
    // Written once maximised: a file that never had the key stays as it was.
    if (window.maximized || ini.readBool("Position", "Maximized", false))
        ini.writeBool("Position", "Maximized", window.maximized);

    ini.writeBool("Code", "AutoDecode", options.autoDecode);
    ini.writeBool("Code", "DecodeAll", options.decodeAll);
    ini.writeInt("Code", "CharCode", options.charCode);
    ini.writeInt("Code", "RetCode", options.retCode);
    // Written once chosen: a file that never had the key stays as it was.
    if (options.newUtf8 || ini.readBool("Code", "NewUtf8", false))
        ini.writeBool("Code", "NewUtf8", options.newUtf8);

    ini.writeInt("Pre", "msize", window.msize);

    WriteText(ini, "PreI", "EditFont", options.editFont);
    ini.writeBool("PreI", "ReturnRight", options.returnRight);
    ini.writeBool("PreI", "Ruler", options.ruler);
    if (options.lineNumbers || ini.readBool("PreI", "LineNumbers", false))
        ini.writeBool("PreI", "LineNumbers", options.lineNumbers);
    ini.writeBool("PreI", "DefaultColor", options.defaultColor);
    ini.writeBool("PreI", "UserColor", options.userColor);
    WriteColour(ini, "FontColor", options.fontColor);
    WriteColour(ini, "BackColor", options.backColor);
    ini.writeBool("PreI", "UseTmp", options.useTmp);
    ini.writeBool("PreI", "UseAutoHtml", options.useAutoHtml);
    // Always quoted: a command such as "prog" "%1" must survive the stripping.
    ini.writeString("PreI", "PreTxtProg", u'"' + options.preTxtProg + u'"');
    ini.writeString("PreI", "PreHtmProg", u'"' + options.preHtmProg + u'"');

    ini.writeBool("Option", "SaveAsHTM", options.saveAsHtm);
    WriteText(ini, "Option", "DateTime", options.dateTime);
    ini.writeBool("Option", "KeySound", options.keySound);
    ini.writeBool("Option", "AutoIndent", options.autoIndent);
    ini.writeBool("Option", "OverwriteMes", options.overwriteMes);
    ini.writeBool("Option", "SecondBrowser", options.secondBrowser);
    WriteText(ini, "Option", "SecondBrowserPath", options.secondBrowserPath);

    WriteText(ini, "Pre", "ClipName", window.clipName);
    WriteText(ini, "Pre", "TagName", window.tagName);

    ini.writeInt("Paste", "HtmlChar", window.htmlChar);
    ini.writeInt("Paste", "ClipChar", window.clipChar);
    ini.writeBool("Paste", "SendClipBoard", window.sendClipBoard);

    // Written once the pane has been shown: a file that never had them stays as it was.
    // Written once a document was opened or saved: a file that never had the section stays as it was.
    for (int i = 1; i <= MaxRecentFiles && !window.recentFiles.isEmpty(); ++i)
        WriteText(ini, "Recent", QStringLiteral("File%1").arg(i), window.recentFiles.value(i - 1));
    if (window.previewWidth > 0 || ini.readInt("Preview", "Width", 0) > 0) {
        ini.writeBool("Preview", "Shown", window.previewShown);
        ini.writeInt("Preview", "Width", window.previewWidth);
    }

    // Editing a cached page hides the panels; that layout is not the user's.
    if (!IsBrowserCachePath(documentPath)) {
        ini.writeBool("Panel", "Html", window.htmlPanel);
        ini.writeBool("Panel", "Clip", window.clipPanel);
        ini.writeBool("Panel", "Color", window.colorPanel);
        WriteText(ini, "Pre", "PathName", DocumentFolder(documentPath));
    }
}

Outcome SaveSettingsAtClose(const QString &iniPath, const MainWindowSettings &window,
                            const QString &documentPath, const DialogOptions &options)
{
    ProfileFile ini(iniPath);
    // A file that is there but cannot be read would lose its other keys.
    if (!ini.load() && QFile::exists(iniPath))
        return Outcome::failed(QStringLiteral("cannot read %1").arg(iniPath));
    WriteSettings(ini, window, documentPath, options);
    return ini.save();
}

void ShowSettingsWriteFailure(QWidget *parent)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("QUMOEDIT"),
                    QStringLiteral("設定を変更する権限がありません。\n設定変更は反映されません"),
                    QMessageBox::Ok, parent);
    box.exec();
}
