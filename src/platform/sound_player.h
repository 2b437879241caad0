// The one player of the program's short sounds ("click.wav", "key.wav",
// "enter.wav"). Playing is asynchronous and never blocks the caller.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

class SoundOutput;

class SoundPlayer : public QObject
{
    Q_OBJECT
public:
    explicit SoundPlayer(QObject *parent = nullptr);
    ~SoundPlayer() override;

    enum class Mode {
        CutOff, // stop a sound still playing and play this one
        NoStop, // skip this sound while another one plays
    };

    // A missing or unreadable file plays nothing, as does a missing sound module.
    void Play(const QString &path, Mode mode = Mode::CutOff);
    bool isPlaying() const;

private:
    SoundOutput *output();

    std::unique_ptr<SoundOutput> output_;
    bool outputTried_ = false;
};
