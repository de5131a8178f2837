// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundServer.h"

#include <QFile>
#include <QProcessEnvironment>
#include <QWaveDecoder>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace kvz::test {

namespace {

constexpr double kSilence = 0.01;     // RMS as a fraction of full scale: -40 dBFS
constexpr int kBlocksPerSecond = 200; // levels are judged in 5 ms blocks
constexpr double kFullScale = 32768.0;

std::vector<std::int16_t> samplesOf(const QByteArray& bytes) {
    std::vector<std::int16_t> samples(static_cast<std::size_t>(bytes.size()) / 2);
    std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
    return samples;
}

} // namespace

double Pcm::loudSeconds(std::size_t from, std::size_t to) const {
    const std::size_t block = static_cast<std::size_t>(rate / kBlocksPerSecond);
    to = std::min(to, samples.size());
    int loud = 0;
    for (std::size_t at = from; at + block <= to; at += block) {
        double sum = 0;
        for (std::size_t i = at; i < at + block; ++i) sum += double(samples[i]) * samples[i];
        if (std::sqrt(sum / double(block)) / kFullScale > kSilence) ++loud;
    }
    return double(loud) / kBlocksPerSecond;
}

Pcm readWav(const std::string& path) {
    QFile file(QString::fromStdString(path));
    QWaveDecoder wav(&file);
    if (!file.open(QIODevice::ReadOnly) || !wav.open(QIODevice::ReadOnly) ||
        wav.audioFormat().channelCount() != 1 ||
        wav.audioFormat().sampleFormat() != QAudioFormat::Int16) {
        ADD_FAILURE() << path << " is no 16-bit mono WAV file";
        return {};
    }
    const QByteArray bytes = wav.readAll();
    if (bytes.isEmpty()) ADD_FAILURE() << path << " holds no sound";
    return {samplesOf(bytes), wav.audioFormat().sampleRate()};
}

SoundServer::~SoundServer() {
    daemon_.terminate();
    if (!daemon_.waitForFinished(5000)) {
        daemon_.kill();
        daemon_.waitForFinished();
    }
}

QString SoundServer::address() const {
    return QStringLiteral("unix:") + QString::fromStdString(dir_.file("socket"));
}

void SoundServer::useInThisProcess() const {
    const std::string config = dir_.file("client.conf");
    writeFile(config, "autospawn = no\n");
    qputenv("PULSE_CLIENTCONFIG", QByteArray::fromStdString(config));
    qputenv("PULSE_SERVER", address().toUtf8());
}

std::string SoundServer::start() {
    // Its state, runtime files and cookie in the temporary folder, not in the user's.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString home = QString::fromStdString(dir_.path().string());
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home);
    env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), home + QStringLiteral("/runtime"));
    env.insert(QStringLiteral("PULSE_STATE_PATH"), home + QStringLiteral("/state"));
    daemon_.setProcessEnvironment(env);
    daemon_.setProcessChannelMode(QProcess::MergedChannels);
    daemon_.start(QStringLiteral("pulseaudio"),
                  {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                   QStringLiteral("--use-pid-file=no"), QStringLiteral("--exit-idle-time=-1"),
                   QStringLiteral("--realtime=no"), QStringLiteral("--high-priority=no"),
                   QStringLiteral("--log-target=stderr"),
                   QStringLiteral("--load=module-null-sink sink_name=%1").arg(kSink),
                   QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") +
                       QString::fromStdString(dir_.file("socket"))});
    if (!daemon_.waitForStarted(5000))
        return "pulseaudio does not start (" + daemon_.errorString().toStdString() +
               "): install pulseaudio and pulseaudio-utils, as scripts/install-deps.sh does";
    for (int tries = 0; tries < 100; ++tries) {
        if (answers()) return {};
        if (daemon_.waitForFinished(100))
            return "pulseaudio ended at once:\n" + daemon_.readAll().toStdString();
    }
    return "pulseaudio does not answer on " + address().toStdString() + " within ten seconds\n" +
           daemon_.readAll().toStdString();
}

// pactl comes with pulseaudio-utils, as the recorder does.
bool SoundServer::answers() {
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"),
                {QStringLiteral("--server"), address(), QStringLiteral("list"),
                 QStringLiteral("short"), QStringLiteral("sinks")});
    return pactl.waitForFinished(5000) && pactl.exitStatus() == QProcess::NormalExit &&
           pactl.exitCode() == 0;
}

Recording::Recording(const SoundServer& server) {
    QObject::connect(&recorder_, &QProcess::readyReadStandardOutput, [this] { take(); });
    recorder_.start(QStringLiteral("pacat"),
                    {QStringLiteral("--record"), QStringLiteral("--server"), server.address(),
                     QStringLiteral("--device"), SoundServer::monitor(),
                     QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
                     QStringLiteral("--rate=%1").arg(kRate), QStringLiteral("--latency-msec=20")});
    // A fifth of a second recorded proves the recorder runs.
    for (int tries = 0; tries < 100 && raw_.size() < kRate * 2 / 5; ++tries)
        recorder_.waitForReadyRead(100);
    if (raw_.size() < kRate * 2 / 5)
        failure_ = "pacat records nothing from " + SoundServer::monitor().toStdString() + ": " +
                   recorder_.errorString().toStdString() + "\n" +
                   recorder_.readAllStandardError().toStdString();
}

void Recording::take() {
    raw_ += recorder_.readAllStandardOutput();
    // Sample n is played before it can come in.
    const auto recorded = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(double(raw_.size() / 2) / kRate));
    const Clock::time_point origin = Clock::now() - recorded;
    if (!origin_ || origin < *origin_) origin_ = origin;
}

Pcm Recording::stop() {
    take();
    recorder_.kill();
    recorder_.waitForFinished();
    return {samplesOf(raw_), kRate};
}

std::size_t Recording::sampleAt(Clock::time_point t) const {
    const double seconds = std::chrono::duration<double>(t - origin_.value_or(t)).count();
    return static_cast<std::size_t>(std::max(0.0, seconds * kRate));
}

} // namespace kvz::test
