// The sound module: short sounds through Qt Multimedia, each file loaded once.
#include "sound_output.h"

#include <QHash>
#include <QObject>
#include <QSoundEffect>
#include <QUrl>

namespace {

class SoundEffects : public SoundOutput
{
public:
    explicit SoundEffects(QObject *owner) : owner_(owner) {}

    void play(const QString &path) override
    {
        if (current_ != nullptr)
            current_->stop();
        current_ = effects_.value(path);
        if (current_ == nullptr) {
            current_ = new QSoundEffect(owner_);
            current_->setSource(QUrl::fromLocalFile(path));
            effects_.insert(path, current_);
        }
        current_->play();
    }

    bool isPlaying() const override { return current_ != nullptr && current_->isPlaying(); }

private:
    QObject *owner_;
    QHash<QString, QSoundEffect *> effects_;
    QSoundEffect *current_ = nullptr;
};

} // namespace

extern "C" Q_DECL_EXPORT SoundOutput *QumoNewSoundOutput(QObject *owner)
{
    return new SoundEffects(owner);
}
