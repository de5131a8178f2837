// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/TestSupport.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kvz::test {

using Clock = std::chrono::steady_clock;

// 16-bit mono samples and their rate.
struct Pcm {
    std::vector<std::int16_t> samples;
    int rate = 0;

    // Seconds of 5 ms blocks louder than silence (-40 dBFS RMS) among samples [from, to).
    double loudSeconds(std::size_t from, std::size_t to) const;
    double loudSeconds() const { return loudSeconds(0, samples.size()); }
};

// The samples of a 16-bit mono PCM WAV file; empty (and a test failure) for any other.
Pcm readWav(const std::string& path);

// A PulseAudio daemon of the test's own with one null sink, reached through a socket in a
// temporary folder: nothing of the user's session is shared or touched.
class SoundServer {
  public:
    SoundServer() : failure_(start()) {}
    ~SoundServer();

    // Why the server is not up; empty once it answers.
    const std::string& failure() const { return failure_; }
    // The address clients give as PULSE_SERVER.
    QString address() const;
    // The sink's name, and the source that hears everything played into it.
    static constexpr const char* kSink = "kvz_test";
    static QString monitor() { return QString::fromLatin1(kSink) + QStringLiteral(".monitor"); }

    // Points this process's sound clients at the server, which must never be spawned anew.
    void useInThisProcess() const;

  private:
    std::string start();
    bool answers();

    TempDir dir_;
    QProcess daemon_;
    std::string failure_;
};

// The server's monitor recorded, mono at 16 kHz, from construction until `stop`.
class Recording {
  public:
    static constexpr int kRate = 16000;

    explicit Recording(const SoundServer& server);
    ~Recording() { stop(); }

    // Why nothing is being recorded; empty once the first samples came in.
    const std::string& failure() const { return failure_; }
    // Ends the recording; what it holds.
    Pcm stop();
    // The sample recorded at a moment, by the recording's own clock (the sink plays in real
    // time) set from the earliest its samples could have come in.
    std::size_t sampleAt(Clock::time_point t) const;

  private:
    void take();

    QProcess recorder_;
    QByteArray raw_;
    std::optional<Clock::time_point> origin_;
    std::string failure_;
};

} // namespace kvz::test
