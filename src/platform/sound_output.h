// What plays the sounds: the multimedia libraries, in a module of their own
// (src/sound) that the program loads with the first sound it plays, so that
// start-up does not load them.
#pragma once

class QObject;
class QString;

class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    // Stops the sound playing, if any, and plays `path`.
    virtual void play(const QString &path) = 0;
    virtual bool isPlaying() const = 0;
};

// The module's one entry point: an output whose Qt objects `owner` holds.
using NewSoundOutput = SoundOutput *(*)(QObject *owner);
#define QUMO_NEW_SOUND_OUTPUT "QumoNewSoundOutput"
