#include "sound_player.h"

#include <QDir>
#include <QFile>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A mono 16-bit PCM WAV of `ms` milliseconds of a square wave.
void WriteWav(const QString &path, int ms)
{
    const int rate = 22050;
    const int samples = rate * ms / 1000;
    QByteArray pcm;
    for (int i = 0; i < samples; ++i) {
        const qint16 v = (i / 20) % 2 ? 8000 : -8000;
        pcm.append(reinterpret_cast<const char *>(&v), 2);
    }
    QByteArray wav("RIFF");
    const auto u32 = [&](quint32 v) { wav.append(reinterpret_cast<const char *>(&v), 4); };
    const auto u16 = [&](quint16 v) { wav.append(reinterpret_cast<const char *>(&v), 2); };
    u32(36 + pcm.size());
    wav.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    wav.append("data");
    u32(pcm.size());
    wav.append(pcm);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(wav);
}

TEST(SoundPlayer, MissingFilePlaysNothing)
{
    SoundPlayer player;
    player.Play(QStringLiteral("/no/such/click.wav"));
    EXPECT_FALSE(player.isPlaying());
    EXPECT_TRUE(player.findChildren<QSoundEffect *>().isEmpty());
}

TEST(SoundPlayer, NoStopSkipsWhileAnotherPlaysAndCutOffReplaces)
{
    QTemporaryDir dir;
    const QString longSound = dir.filePath(QStringLiteral("long.wav"));
    const QString click = dir.filePath(QStringLiteral("click.wav"));
    WriteWav(longSound, 3000);
    WriteWav(click, 30);
    SoundPlayer player;
    player.Play(longSound);
    if (!QTest::qWaitFor([&] { return player.isPlaying(); }, 3000))
        GTEST_SKIP() << "no audio output here";
    player.Play(click, SoundPlayer::Mode::NoStop);
    auto effects = player.findChildren<QSoundEffect *>();
    EXPECT_EQ(effects.size(), 1) << "the skipped sound is not even loaded";
    player.Play(click);
    effects = player.findChildren<QSoundEffect *>();
    ASSERT_EQ(effects.size(), 2);
    for (QSoundEffect *effect : effects) {
        if (effect->source().toLocalFile() == longSound) {
            EXPECT_FALSE(effect->isPlaying()) << "cut off";
        }
    }
}

} // namespace
