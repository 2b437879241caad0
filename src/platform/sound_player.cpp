#include "sound_player.h"

#include "module_folders.h"
#include "sound_output.h"

#include <QFileInfo>

SoundPlayer::SoundPlayer(QObject *parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() = default;

SoundOutput *SoundPlayer::output()
{
    if (outputTried_)
        return output_.get();
    outputTried_ = true;
    if (const auto make = reinterpret_cast<NewSoundOutput>(
            ModuleEntry(ModuleFolders(), QStringLiteral("qumo_sound"), QUMO_NEW_SOUND_OUTPUT)))
        output_.reset(make(this));
    return output_.get();
}

bool SoundPlayer::isPlaying() const
{
    return output_ != nullptr && output_->isPlaying();
}

void SoundPlayer::Play(const QString &path, Mode mode)
{
    if (!QFileInfo(path).isFile())
        return;
    if (mode == Mode::NoStop && isPlaying())
        return;
    if (SoundOutput *sink = output())
        sink->play(path);
}
