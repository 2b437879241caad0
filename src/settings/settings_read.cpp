#include "settings_read.h"

#include "profile_file.h"

namespace {

// Values the windows cannot use are treated like text that is not a number.
int ReadInRange(const ProfileFile &ini, const QString &section, const QString &key, int def, int low,
                int high)
{
    const int value = ini.readInt(section, key, def);
    return value >= low && value <= high ? value : def;
}

TColor ReadColour(const ProfileFile &ini, const QString &key, TColor def)
{
    return static_cast<TColor>(ini.readInt("PreI", key, static_cast<int>(def))) & 0xFFFFFF;
}

} // namespace

MainWindowSettings ReadMainWindowSettings(const ProfileFile &ini, QSize screenSize)
{
    MainWindowSettings s;
    s.height = ReadInRange(ini, "Position", "Height", s.height, 1, 100000);
    s.width = ReadInRange(ini, "Position", "Width", s.width, 1, 100000);
    // Centred on the screen by default, halves rounded toward zero.
    s.x = ini.readInt("Position", "X", (screenSize.width() - s.width) / 2);
    s.y = ini.readInt("Position", "Y", (screenSize.height() - s.height) / 2);
    s.maximized = ini.readBool("Position", "Maximized", s.maximized);
    s.htmlPanel = ini.readBool("Panel", "Html", s.htmlPanel);
    s.clipPanel = ini.readBool("Panel", "Clip", s.clipPanel);
    s.colorPanel = ini.readBool("Panel", "Color", s.colorPanel);
    s.msize = ReadInRange(ini, "Pre", "msize", s.msize, 1, 512);
    s.pathName = ini.readString("Pre", "PathName", s.pathName);
    s.clipName = ini.readString("Pre", "ClipName", s.clipName);
    s.tagName = ini.readString("Pre", "TagName", s.tagName);
    s.htmlChar = ReadInRange(ini, "Paste", "HtmlChar", s.htmlChar, 0, 2);
    s.clipChar = ReadInRange(ini, "Paste", "ClipChar", s.clipChar, 0, 2);
    s.sendClipBoard = ini.readBool("Paste", "SendClipBoard", s.sendClipBoard);
    s.previewShown = ini.readBool("Preview", "Shown", s.previewShown);
    s.previewWidth = ReadInRange(ini, "Preview", "Width", s.previewWidth, 0, 100000);
    for (int i = 1; i <= MaxRecentFiles; ++i) {
        const QString file = ini.readString("Recent", QStringLiteral("File%1").arg(i), QString());
        if (!file.isEmpty())
            s.recentFiles << file;
    }
    return s;
}

MainWindowSettings ReadMainWindowSettings(const QString &iniPath, QSize screenSize)
{
    ProfileFile ini(iniPath);
    ini.load();
    return ReadMainWindowSettings(ini, screenSize);
}

DialogOptions ReadDialogOptions(const ProfileFile &ini, const QString &dateTimeDefault)
{
    DialogOptions o;
    o.editFont = ini.readString("PreI", "EditFont", o.editFont);
    o.returnRight = ini.readBool("PreI", "ReturnRight", o.returnRight);
    o.ruler = ini.readBool("PreI", "Ruler", o.ruler);
    o.lineNumbers = ini.readBool("PreI", "LineNumbers", o.lineNumbers);
    o.defaultColor = ini.readBool("PreI", "DefaultColor", o.defaultColor);
    o.userColor = ini.readBool("PreI", "UserColor", o.userColor);
    o.fontColor = ReadColour(ini, "FontColor", o.fontColor);
    o.backColor = ReadColour(ini, "BackColor", o.backColor);
    o.useTmp = ini.readBool("PreI", "UseTmp", o.useTmp);
    o.useAutoHtml = ini.readBool("PreI", "UseAutoHtml", o.useAutoHtml);
    o.preTxtProg = ini.readString("PreI", "PreTxtProg", o.preTxtProg);
    o.preHtmProg = ini.readString("PreI", "PreHtmProg", o.preHtmProg);
    o.keySound = ini.readBool("Option", "KeySound", o.keySound);
    o.autoIndent = ini.readBool("Option", "AutoIndent", o.autoIndent);
    o.saveAsHtm = ini.readBool("Option", "SaveAsHtm", o.saveAsHtm);
    o.dateTime = ini.readString("Option", "DateTime", dateTimeDefault);
    o.overwriteMes = ini.readBool("Option", "OverwriteMes", o.overwriteMes);
    o.secondBrowser = ini.readBool("Option", "SecondBrowser", o.secondBrowser);
    o.secondBrowserPath = ini.readString("Option", "SecondBrowserPath", o.secondBrowserPath);
    o.autoDecode = ini.readBool("Code", "AutoDecode", o.autoDecode);
    o.decodeAll = ini.readBool("Code", "DecodeAll", o.decodeAll);
    o.charCode = ReadInRange(ini, "Code", "CharCode", o.charCode, 0, 2);
    o.retCode = ReadInRange(ini, "Code", "RetCode", o.retCode, 0, 2);
    o.newUtf8 = ini.readBool("Code", "NewUtf8", o.newUtf8);
    return o;
}
