#include "sound_player.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

SoundPlayer::SoundPlayer(QObject *parent) : QObject(parent) {}

QSoundEffect *SoundPlayer::EffectFor(const QString &path)
{
    if (QSoundEffect *effect = effects_.value(path))
        return effect;
    auto *effect = new QSoundEffect(this);
    effect->setSource(QUrl::fromLocalFile(path));
    effects_.insert(path, effect);
    return effect;
}

bool SoundPlayer::IsPlaying() const
{
    return current_ != nullptr && current_->isPlaying();
}

void SoundPlayer::Play(const QString &path, Mode mode)
{
    if (!QFileInfo(path).isFile())
        return;
    if (mode == Mode::NoStop && IsPlaying())
        return;
    if (current_ != nullptr)
        current_->stop();
    current_ = EffectFor(path);
    current_->play();
}
