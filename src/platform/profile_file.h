// A Windows-style private profile ("ini") file: [section] headers and
// key=value lines. Section and key names match without regard to case, lines
// the program does not understand are kept as they are, and a value enclosed in
// one pair of single or double quotes is read without them.
//
// Usage: load once, read and set values in memory, then save. Nothing touches
// the disk between load() and save(); save() replaces the file atomically, so a
// failed save leaves the previous file whole.
#pragma once

#include "outcome.h"

#include <QString>
#include <vector>

class ProfileFile
{
public:
    explicit ProfileFile(QString path);

    const QString &path() const { return path_; }

    // Reads the file. A missing file gives an empty profile and returns false;
    // so does an unreadable one.
    bool load();
    // Whether load() found and read the file.
    bool existed() const { return existed_; }

    QString readString(const QString &section, const QString &key, const QString &def) const;
    // Decimal, or hexadecimal after "0x"/"0X"; anything else gives def.
    int readInt(const QString &section, const QString &key, int def) const;
    // An integer; any non-zero value is true.
    bool readBool(const QString &section, const QString &key, bool def) const;

    // Line breaks in a value would split the line, so they become spaces.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInt(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);

    // Writes the whole profile as UTF-8 (creating the file). On failure the
    // file on disk is unchanged.
    Outcome save() const;

    QString toText() const;

private:
    struct Line
    {
        QString text; // as read, or as last written
        QString key;  // empty for anything that is not key=value
        QString value;
    };
    struct Section
    {
        QString name; // the lines before the first header have no name
        bool hasHeader = false;
        QString header;
        std::vector<Line> lines;
    };

    void parse(const QString &text);
    const Line *find(const QString &section, const QString &key) const;

    QString path_;
    bool existed_ = false;
    std::vector<Section> sections_;
};

// Parses a profile integer: optional sign, then decimal digits or "0x"/"0X"
// and hexadecimal digits (up to 32 bits, taken as two's complement). Returns
// false for anything else, including surrounding text and overflow.
bool ParseProfileInt(const QString &text, int *value);
