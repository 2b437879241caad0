// The desktop's mimeapps.list: the default opener of a type and the added
// openers, changed only in the lists this program edits, where only its own
// id is added or removed.
#pragma once

#include "line_file.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class MimeAppsList
{
public:
    // Reads `path`; a missing file is an empty list.
    explicit MimeAppsList(const QString &path);

    // Whether the file was read whole; one that was not is never written.
    const Outcome &readOutcome() const { return file_.readOutcome(); }

    // The ids listed for `mime` in the first entry of [Default Applications] / [Added
    // Associations] (a duplicated section counts too), in their order.
    QStringList defaults(const QString &mime) const;
    QStringList associations(const QString &mime) const;

    // Puts `id` first among the defaults of `mime`, or takes it out; the other ids keep their order.
    // Taking it out of a list that held only it brings back `previous` when one is given.
    void setDefault(const QString &mime, const QString &id, bool on, const QString &previous = {});
    // Adds `id` first to the added openers of `mime`, or takes it out.
    void setAssociation(const QString &mime, const QString &id, bool on);

    QByteArray bytes() const { return file_.bytes(); }
    // Writes the list back when it changed; a failure's message names the file.
    Outcome save() const { return file_.save(); }

private:
    struct Entry
    {
        qsizetype line = -1;    // the entry's line; -1 when none
        qsizetype section = -1; // the first section of the name; -1 when none
    };
    Entry find(const QByteArray &section, const QString &mime) const;
    QStringList ids(const QByteArray &section, const QString &mime) const;
    void removeEntry(qsizetype line);
    void editIds(const QByteArray &section, const QString &mime,
                 const std::function<void(QList<QByteArray> &)> &edit);

    LineFile file_;
};

// The default application of `mime` found as `xdg-mime query default` finds it outside KDE: the
// desktop-specific lists (XDG_CURRENT_DESKTOP) before the plain one, in the user's config folder,
// the config folders, then the applications folders, where the first id of the first list that
// names one whose desktop entry is installed counts; then defaults.list and mimeinfo.cache; then
// the entry declaring the type with the highest InitialPreference.
QString DefaultApplication(const QString &mime, const QStringList &configDirs, const QStringList &dataDirs,
                           const QStringList &desktops);
