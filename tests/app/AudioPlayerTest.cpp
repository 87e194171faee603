#include "app/CQtAudioPlayer.h"
#include "app/WavLength.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdint>
#include <fstream>
#include <string>

namespace {

void Put32(std::string& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes += static_cast<char>((value >> shift) & 0xFF);
    }
}

void Put16(std::string& bytes, std::uint16_t value) {
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>(value >> 8);
}

struct WavShape {
    std::uint32_t sampleRate = 8000;
    std::uint32_t samples = 1600;       // 200 ms at 8000 Hz
    std::uint32_t declaredDataSize = 0; // 0: the real size
    bool oddChunkFirst = false;
};

// A mono 16-bit PCM clip of silence.
std::string WavBytes(const WavShape& shape) {
    std::string chunks;
    if (shape.oddChunkFirst) {
        chunks += "LIST";
        Put32(chunks, 3);
        chunks += "abc";
        chunks += '\0'; // pad byte
    }
    chunks += "fmt ";
    Put32(chunks, 16);
    Put16(chunks, 1);
    Put16(chunks, 1);
    Put32(chunks, shape.sampleRate);
    Put32(chunks, shape.sampleRate * 2);
    Put16(chunks, 2);
    Put16(chunks, 16);
    chunks += "data";
    const std::uint32_t dataSize = shape.samples * 2;
    Put32(chunks, shape.declaredDataSize != 0 ? shape.declaredDataSize : dataSize);
    chunks += std::string(dataSize, '\0');
    std::string bytes = "RIFF";
    Put32(bytes, static_cast<std::uint32_t>(chunks.size() + 4));
    return bytes + "WAVE" + chunks;
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const std::string& bytes) {
    const QString path = dir.filePath(name);
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    return path;
}

} // namespace

class AudioPlayerTest : public QObject {
    Q_OBJECT

private slots:
    void WavLengthReadsTheHeader() {
        QTemporaryDir dir;
        const auto plain = WavLength(WriteFile(dir, "plain.wav", WavBytes({})).toStdString());
        QVERIFY(plain.has_value());
        QCOMPARE(plain->count(), 200);

        WavShape padded;
        padded.oddChunkFirst = true;
        padded.samples = 4000;
        const auto afterOddChunk = WavLength(WriteFile(dir, "padded.wav", WavBytes(padded)).toStdString());
        QVERIFY(afterOddChunk.has_value());
        QCOMPARE(afterOddChunk->count(), 500);

        // A streaming writer's placeholder size counts only the bytes really there.
        WavShape streamed;
        streamed.declaredDataSize = 0x7FFFF000;
        const auto cut = WavLength(WriteFile(dir, "streamed.wav", WavBytes(streamed)).toStdString());
        QVERIFY(cut.has_value());
        QCOMPARE(cut->count(), 200);
    }

    void WavLengthRefusesWhatIsNotAClip() {
        QTemporaryDir dir;
        QVERIFY(!WavLength(dir.filePath("missing.wav").toStdString()));
        QVERIFY(!WavLength(WriteFile(dir, "text.wav", "just some text, not audio").toStdString()));
        QVERIFY(!WavLength(WriteFile(dir, "cut.wav", WavBytes({}).substr(0, 30)).toStdString()));
        WavShape noRate;
        noRate.sampleRate = 0;
        QVERIFY(!WavLength(WriteFile(dir, "norate.wav", WavBytes(noRate)).toStdString()));
    }

    void NothingIsPlayedWithoutADevice() {
        QTemporaryDir dir;
        const QString clip = WriteFile(dir, "clip.wav", WavBytes({}));
        CQtAudioPlayer player;
        player.SetDeviceProbe([] { return false; });
        int finishedCalls = 0;
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!player.Start(clip, [&] { ++finishedCalls; }));
        QVERIFY(!player.IsPlaying());
        QVERIFY(!player.PlayToEnd(clip));
        QVERIFY(timer.elapsed() < 100);
        QCoreApplication::processEvents();
        QCOMPARE(finishedCalls, 0);

        // The default probe asks Qt for the devices.
        CQtAudioPlayer ownProbe;
        QCOMPARE(ownProbe.Start(clip), !QMediaDevices::audioOutputs().isEmpty());
    }

    void MissingOrBrokenFilesAreNotPlayed() {
        QTemporaryDir dir;
        CQtAudioPlayer player;
        player.SetDeviceProbe([] { return true; });
        QVERIFY(!player.Start(dir.filePath("missing.wav")));
        QVERIFY(!player.PlayToEnd(WriteFile(dir, "broken.wav", "RIFF....WAVE")));
        QVERIFY(!player.IsPlaying());
    }

    // Whether or not this machine can make a sound, a clip ends within its length and the margin:
    // a backend that never reports the end is cut off by the time bound.
    void AClipEndsWithinItsLength() {
        QTemporaryDir dir;
        const QString clip = WriteFile(dir, "clip.wav", WavBytes({}));
        CQtAudioPlayer player;
        player.SetDeviceProbe([] { return true; });
        QElapsedTimer timer;
        timer.start();
        QVERIFY(player.PlayToEnd(clip));
        QVERIFY(!player.IsPlaying());
        QVERIFY2(timer.elapsed() < 200 + CQtAudioPlayer::kClipMargin.count() + 1000,
                 qPrintable(QString::number(timer.elapsed())));

        int finishedCalls = 0;
        QVERIFY(player.Start(clip, [&] { ++finishedCalls; }));
        QVERIFY(player.IsPlaying());
        QTRY_COMPARE_WITH_TIMEOUT(finishedCalls, 1, 2000);
        QVERIFY(!player.IsPlaying());
    }

    void StoppingOrReplacingAClipFinishesItOnce() {
        QTemporaryDir dir;
        const QString clip = WriteFile(dir, "clip.wav", WavBytes({}));
        CQtAudioPlayer player;
        player.SetDeviceProbe([] { return true; });
        int firstCalls = 0;
        int secondCalls = 0;
        QVERIFY(player.Start(clip, [&] { ++firstCalls; }));
        QVERIFY(player.Start(clip, [&] { ++secondCalls; }));
        QCOMPARE(firstCalls, 1);
        player.Stop();
        player.Stop();
        QCOMPARE(secondCalls, 1);
        QTest::qWait(600);
        QCOMPARE(firstCalls, 1);
        QCOMPARE(secondCalls, 1);
    }
};

QTEST_MAIN(AudioPlayerTest)
#include "AudioPlayerTest.moc"
