#include "sound_player.h"

#include "sound_output.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

SoundPlayer::SoundPlayer(QObject *parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() = default;

SoundOutput *SoundPlayer::output()
{
    if (outputTried_)
        return output_.get();
    outputTried_ = true;
    // Beside the program (the build, a portable copy), else where it is installed.
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString &folder : {here, here + QStringLiteral("/../" QUMO_MODULE_DIR)}) {
        QLibrary module(folder + QStringLiteral("/qumo_sound"));
        // Its effects may outlive the application object; it stays until the process ends.
        module.setLoadHints(QLibrary::PreventUnloadHint);
        if (const auto make = reinterpret_cast<NewSoundOutput>(module.resolve(QUMO_NEW_SOUND_OUTPUT))) {
            output_.reset(make(this));
            break;
        }
    }
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
