// The one player of the program's short sounds ("click.wav", "key.wav",
// "enter.wav"). Playing is asynchronous and never blocks the caller.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QSoundEffect;

class SoundPlayer : public QObject
{
    Q_OBJECT
public:
    explicit SoundPlayer(QObject *parent = nullptr);

    enum class Mode {
        CutOff, // stop a sound still playing and play this one
        NoStop, // skip this sound while another one plays
    };

    // A missing or unreadable file plays nothing.
    void Play(const QString &path, Mode mode = Mode::CutOff);
    bool IsPlaying() const;

private:
    QSoundEffect *EffectFor(const QString &path);

    QHash<QString, QSoundEffect *> effects_;
    QSoundEffect *current_ = nullptr;
};
