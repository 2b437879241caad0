#include "recovery_store.h"

#include "document_codec.h"
#include "fd_write.h"
#include "file_read.h"
#include "system_reason.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char Magic[] = "QUMOEDIT recovery 1\n";

QByteArray Native(const QString &path)
{
    return QFile::encodeName(path);
}

// Little-endian fields, as the payloads store them.
class Out
{
public:
    explicit Out(qsizetype reserve = 64) { bytes_.reserve(reserve); }
    void i64(qint64 v)
    {
        for (int i = 0; i < 8; ++i)
            bytes_.append(char(quint64(v) >> (8 * i)));
    }
    void raw(QByteArrayView data)
    {
        i64(data.size());
        bytes_.append(data);
    }
    void text(QStringView s) { raw(QByteArrayView(reinterpret_cast<const char *>(s.utf16()), s.size() * 2)); }
    const QByteArray &bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

class In
{
public:
    explicit In(QByteArrayView data) : data_(data) {}
    bool ok() const { return ok_; }
    qint64 i64()
    {
        if (at_ + 8 > data_.size()) {
            ok_ = false;
            return 0;
        }
        quint64 v = 0;
        for (int i = 0; i < 8; ++i)
            v |= quint64(quint8(data_[at_ + i])) << (8 * i);
        at_ += 8;
        return qint64(v);
    }
    QByteArray raw()
    {
        const qint64 size = i64();
        if (!ok_ || size < 0 || size > data_.size() - at_) {
            ok_ = false;
            return {};
        }
        const QByteArray out = data_.sliced(at_, size).toByteArray();
        at_ += size;
        return out;
    }
    QString text()
    {
        const QByteArray bytes = raw();
        if (bytes.size() % 2 != 0)
            ok_ = false;
        return QString(reinterpret_cast<const QChar *>(bytes.constData()), bytes.size() / 2);
    }

private:
    QByteArrayView data_;
    qsizetype at_ = 0;
    bool ok_ = true;
};

QByteArray Record(char type, const QByteArray &payload)
{
    QByteArray record;
    record.reserve(payload.size() + 7);
    record.append(type);
    const quint32 size = quint32(payload.size());
    for (int i = 0; i < 4; ++i)
        record.append(char(size >> (8 * i)));
    record.append(payload);
    const quint16 check = qChecksum(record);
    record.append(char(check & 0xff));
    record.append(char(check >> 8));
    return record;
}

qsizetype LineBreaks(QStringView text)
{
    return text.count(QChar::ParagraphSeparator);
}

bool WriteFully(int fd, QByteArrayView bytes)
{
    return WriteAllBytes(fd, bytes.data(), bytes.size());
}

} // namespace

bool ApplyRecoveryEdit(RecoveryText &text, const RecoveryEdit &edit)
{
    if (edit.position < 0 || edit.removed < 0 || edit.position + edit.removed > text.text.size() ||
        edit.firstLine < 0)
        return false;
    const qsizetype removedBreaks = LineBreaks(QStringView(text.text).sliced(edit.position, edit.removed));
    if (edit.lineStates.size() != LineBreaks(edit.added) + 1 ||
        edit.firstLine + removedBreaks + 1 > text.lineStates.size())
        return false;
    text.text.replace(edit.position, edit.removed, edit.added);
    text.lineStates.replace(edit.firstLine, removedBreaks + 1, edit.lineStates);
    return true;
}

QByteArray RecoveryFileHead()
{
    return QByteArray(Magic);
}

QByteArray StateRecord(const DocumentState &state)
{
    Out out(state.keptSource.size() + 256);
    out.text(state.path);
    const FileIdentity &id = state.identity;
    out.i64(id.exists);
    out.i64(qint64(id.device));
    out.i64(qint64(id.inode));
    out.i64(id.size);
    out.i64(id.modifiedNs);
    out.i64(state.ownFormat.has_value());
    // Without a format of its own, the code slot holds the file's code.
    const DocumentFormat format = state.ownFormat.value_or(DocumentFormat{state.code});
    out.i64(int(format.code));
    out.i64(int(format.lineEnd));
    out.i64(format.bom);
    out.i64(int(state.lineEnd));
    out.i64(state.mixedLineEnds);
    out.raw(state.keptSource);
    return Record('S', out.bytes());
}

QByteArray TextRecord(const RecoveryText &text)
{
    Out out(text.text.size() * 2 + text.lineStates.size() + 32);
    out.text(text.text);
    out.raw(text.lineStates);
    return Record('T', out.bytes());
}

QByteArray EditRecord(const RecoveryEdit &edit)
{
    Out out(edit.added.size() * 2 + edit.lineStates.size() + 64);
    out.i64(edit.position);
    out.i64(edit.removed);
    out.text(edit.added);
    out.i64(edit.firstLine);
    out.raw(edit.lineStates);
    return Record('E', out.bytes());
}

namespace {

std::optional<DocumentState> ParseState(QByteArrayView payload)
{
    In in(payload);
    DocumentState state;
    state.path = in.text();
    FileIdentity &id = state.identity;
    id.exists = in.i64() != 0;
    id.device = dev_t(in.i64());
    id.inode = ino_t(in.i64());
    id.size = in.i64();
    id.modifiedNs = in.i64();
    const bool own = in.i64() != 0;
    const std::optional<DocumentCode> code = DocumentCodeOf(in.i64());
    DocumentFormat format;
    format.code = code.value_or(DocumentCode::Sjis);
    format.lineEnd = Jconvert::ReturnCode(in.i64());
    format.bom = in.i64() != 0;
    if (own)
        state.ownFormat = format;
    state.code = format.code;
    state.lineEnd = Jconvert::ReturnCode(in.i64());
    state.mixedLineEnds = in.i64() != 0;
    state.keptSource = in.raw();
    const auto validEnd = [](Jconvert::ReturnCode end) { return int(end) >= 0 && int(end) <= 2; };
    if (!in.ok() || !code || !validEnd(format.lineEnd) || !validEnd(state.lineEnd))
        return {};
    return state;
}

std::optional<RecoveryText> ParseText(QByteArrayView payload)
{
    In in(payload);
    RecoveryText text;
    text.text = in.text();
    text.lineStates = in.raw();
    if (!in.ok() || text.lineStates.size() != LineBreaks(text.text) + 1)
        return {};
    return text;
}

std::optional<RecoveryEdit> ParseEdit(QByteArrayView payload)
{
    In in(payload);
    RecoveryEdit edit;
    edit.position = in.i64();
    edit.removed = in.i64();
    edit.added = in.text();
    edit.firstLine = in.i64();
    edit.lineStates = in.raw();
    if (!in.ok())
        return {};
    return edit;
}

RecoveryRead ParseCopy(const QString &file, const QByteArray &bytes, const QDateTime &madeAt)
{
    const QByteArray head = RecoveryFileHead();
    RecoveryRead result;
    if (!bytes.startsWith(head)) {
        // Nothing but a start of the head: the writer was killed at once.
        if (!head.startsWith(bytes))
            result.refused = QStringLiteral("復元用のコピーではありません");
        return result;
    }
    RecoveryCopy copy;
    copy.file = file;
    bool haveState = false;
    bool haveText = false;
    qsizetype at = head.size();
    while (at < bytes.size()) {
        if (bytes.size() - at < 7) {
            copy.torn = true;
            break;
        }
        quint32 size = 0;
        for (int i = 0; i < 4; ++i)
            size |= quint32(quint8(bytes[at + 1 + i])) << (8 * i);
        if (qint64(size) > bytes.size() - at - 7) {
            copy.torn = true;
            break;
        }
        const QByteArrayView record(bytes.constData() + at, 5 + qsizetype(size));
        const quint16 check =
            quint16(quint8(bytes[at + 5 + size])) | quint16(quint8(bytes[at + 6 + size]) << 8);
        if (qChecksum(record) != check) {
            copy.torn = true;
            break;
        }
        const QByteArrayView payload = record.sliced(5);
        const char type = record[0];
        bool ok = true;
        if (type == 'S') {
            const auto state = ParseState(payload);
            ok = state.has_value();
            if (ok)
                copy.state = *state;
            haveState = haveState || ok;
        } else if (type == 'T') {
            auto text = ParseText(payload);
            ok = text.has_value();
            if (ok)
                copy.text = std::move(*text);
            haveText = haveText || ok;
        } else if (type == 'E') {
            const auto edit = ParseEdit(payload);
            ok = haveText && edit.has_value() && ApplyRecoveryEdit(copy.text, *edit);
        }
        if (!ok) {
            copy.torn = true;
            break;
        }
        at += record.size() + 2;
    }
    if (haveState && haveText) {
        copy.madeAt = madeAt;
        result.copy = std::move(copy);
    }
    return result;
}

// The largest copy a document within the size limit leaves: its kept bytes
// (two a character at most), its text (two bytes and a line mark a
// character), a journal folded once it outgrows the text, and the rest.
constexpr qint64 MaxCopyBytes = 6 * qint64(MaxDocumentChars) + 2 * RecoveryJournalFloor;

// Why `fd`'s file is not read as a copy; empty when it may be.
QString Refusal(int fd)
{
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return SystemReason(errno);
    if (S_ISREG(st.st_mode) && st.st_uid != ::geteuid())
        return QStringLiteral("ほかのユーザーのファイルです");
    if (S_ISREG(st.st_mode) && (st.st_mode & 0077) != 0)
        return QStringLiteral("ほかのユーザーも読めるファイルです");
    return {};
}

QString Refusal(const FileRead &read)
{
    switch (read.status) {
    case FileRead::Ok:
        return {};
    case FileRead::NotRegular:
        return read.kind + QStringLiteral("です");
    case FileRead::TooLarge:
        return QStringLiteral("復元用のコピーとしては大きすぎます");
    case FileRead::SystemError:
        break;
    }
    return SystemReason(read.error);
}

} // namespace

RecoveryRead ReadRecoveryCopy(const QString &file)
{
    RecoveryRead result;
    // A link is never followed: it could name /dev/zero or another's file.
    const int fd =
        ::open(Native(file).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ELOOP)
            result.refused = QStringLiteral("シンボリックリンクです");
        else if (errno != ENOENT)
            result.refused = SystemReason(errno);
        return result;
    }
    result.refused = Refusal(fd);
    FileRead read;
    if (result.refused.isEmpty()) {
        read = ReadRegularFile(fd, MaxCopyBytes);
        result.refused = Refusal(read);
    }
    ::close(fd);
    if (!result.refused.isEmpty())
        return result;
    const QDateTime madeAt = QDateTime::fromMSecsSinceEpoch(read.identity.modifiedNs / 1000000);
    return ParseCopy(file, read.bytes, madeAt);
}

Outcome WriteRecoveryCopy(const QString &file, const DocumentState &state, const RecoveryText &text)
{
    const QByteArray temp = Native(file + QStringLiteral(".new"));
    // What a killed write left, or a link put there, is replaced, never followed.
    ::unlink(temp.constData());
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return Outcome::failed(SystemReason(errno));
    int error = 0;
    if (!WriteFully(fd, RecoveryFileHead()) || !WriteFully(fd, StateRecord(state)) ||
        !WriteFully(fd, TextRecord(text)) || ::fdatasync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temp.constData(), Native(file).constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.constData());
        return Outcome::failed(SystemReason(error));
    }
    return {};
}

Outcome AppendToRecoveryCopy(const QString &file, const QByteArray &records)
{
    const int fd = ::open(Native(file).constData(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return Outcome::failed(SystemReason(errno));
    int error = WriteFully(fd, records) ? 0 : errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error == 0 ? Outcome{} : Outcome::failed(SystemReason(error));
}

RecoveryLock::RecoveryLock(const QString &folder, const QString &id) : folder_(folder), id_(id)
{
    const QByteArray name = Native(lockFile());
    // Another instance may remove a lock file it found unheld between our
    // open and our lock: only a lock on the file the name still gives counts.
    for (int attempt = 0; attempt < 3 && fd_ < 0; ++attempt) {
        fd_ = ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd_ < 0) {
            error_ = errno;
            return;
        }
        struct stat held, named;
        if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd_);
            fd_ = -1;
            return;
        }
        if (::fstat(fd_, &held) == 0 && ::lstat(name.constData(), &named) == 0 &&
            held.st_ino == named.st_ino && held.st_dev == named.st_dev)
            return;
        ::close(fd_);
        fd_ = -1;
    }
}

RecoveryLock::~RecoveryLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

QString RecoveryLock::lockFile() const
{
    return folder_ + u'/' + id_ + QStringLiteral(".lock");
}

QString RecoveryLock::copyFile() const
{
    return folder_ + u'/' + id_ + QStringLiteral(".qrec");
}

void RecoveryLock::removeAll()
{
    if (fd_ < 0)
        return;
    ::unlink(Native(copyFile()).constData());
    // A whole copy cut short before its rename.
    ::unlink(Native(copyFile() + QStringLiteral(".new")).constData());
    letGo();
}

void RecoveryLock::letGo()
{
    if (fd_ < 0)
        return;
    ::unlink(Native(lockFile()).constData());
    ::close(fd_);
    fd_ = -1;
}

QString RecoveryLock::NewId()
{
    return QStringLiteral("%1-%2")
        .arg(::getpid())
        .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

QString RecoveryCopyId(const QString &file)
{
    return QFileInfo(file).completeBaseName();
}
