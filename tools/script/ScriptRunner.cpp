// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/ScriptRunner.h"

#include "app/Form1.h"
#include "app/VirtualClock.h"
#include "core/Generator.h"
#include "script/Script.h"
#include "script/ScriptedPlatform.h"
#include "script/StateDump.h"

#include <cctype>
#include <filesystem>

namespace kvz::script {

namespace {

// The ASCII code a key stroke types before its release, or 0 for keys that type nothing.
// Letter keys type small letters, as they do without Shift.
int typedCharacter(int keyCode) {
    if (keyCode == keys::Enter || keyCode == keys::Esc) return keyCode;
    if (keyCode >= '0' && keyCode <= '9') return keyCode;
    if (keyCode >= 'A' && keyCode <= 'Z') return std::tolower(keyCode);
    return 0;
}

// One run of the program: the scripted machine, the window and its clock.
class Session {
  public:
    Session(const std::string& folder, DatabaseMode database)
        : platform_(folder), form_(platform_, rnd_), clock_(form_) {
        platform_.scenery.database = database;
    }

    // Every control and timer a command names must exist.
    void checkNames(const std::vector<Command>& commands) {
        for (const Command& c : commands) {
            bool named =
                c.op == Op::Click || c.op == Op::DblClick || c.op == Op::Move || c.op == Op::Focus;
            if (named && form_.find(c.word) == nullptr)
                throw ScriptError(c.line, "the window has no control named \"" + c.word + "\"");
            if (c.op == Op::Tick && timer(c.word) == nullptr)
                throw ScriptError(c.line, "the window has no timer named \"" + c.word + "\"");
        }
    }

    void run(const Command& c, const DumpSink& sink, const WindowSink& window) {
        if (c.op == Op::Dump) {
            Json d = dump(c);
            if (window) window(form_, d);
            sink(d);
            return;
        }
        if (form_.ended) {
            ignored(c);
            return;
        }
        form_.guarded([&] {
            if (!perform(c)) ignored(c);
        });
        clock_.sync();
        noteEnd();
    }

    // The end of the script closes the program: the writes under way are waited for, and
    // one that failed is reported by the game as at any event, in one last dump.
    void finish(const DumpSink& sink, const WindowSink& window) {
        if (!started_ || form_.ended) return;
        form_.finishWrites();
        noteEnd();
        if (!form_.ended) return;
        Command last;
        last.word = "end";
        last.hasWord = true;
        run(last, sink, window);
    }

  private:
    Timer* timer(const std::string& name) {
        for (Timer* t : form_.timers())
            if (t->name() == name) return t;
        return nullptr;
    }

    void ignored(const Command& c) { platform_.record({{"ignored", c.source}}); }

    void noteEnd() {
        if (form_.ended && !endReported_) {
            platform_.record({{"end", true}, {"status", form_.exitStatus}});
            endReported_ = true;
        }
    }

    // Carries out one command; false when it did not reach the program.
    bool perform(const Command& c) {
        switch (c.op) {
        case Op::Screen:
            platform_.scenery.screen = {static_cast<int>(c.x), static_cast<int>(c.y)};
            return true;
        case Op::Platform:
            platform_.scenery.windowsNT = c.flag;
            return true;
        case Op::Running:
            platform_.scenery.anotherCopyRunning = true;
            return true;
        case Op::Latin:
            platform_.scenery.letters = Script::Latin;
            return true;
        case Op::Date:
            platform_.scenery.date = c.date;
            return true;
        case Op::Seed:
            platform_.scenery.clockSeed = c.number;
            return true;
        case Op::Rnd:
            for (double r : c.numbers) rnd_.queue(r);
            return true;
        case Op::Start:
            started_ = true;
            form_.Main();
            return true;
        default:
            return started_ && interact(c);
        }
    }

    // The commands that act on the shown window.
    bool interact(const Command& c) {
        switch (c.op) {
        case Op::Click:
            return form_.click(*form_.find(c.word));
        case Op::DblClick:
            return form_.dblClick(*form_.find(c.word));
        case Op::Move:
            return form_.mouseMove(*form_.find(c.word));
        case Op::Key:
            return key(static_cast<int>(c.x));
        case Op::Type:
            return type(c.word);
        case Op::Focus: {
            Control* target = form_.find(c.word);
            form_.setFocus(target);
            return form_.focus == target;
        }
        case Op::Blur:
            form_.setFocus(nullptr);
            return true;
        case Op::Wait:
            clock_.advance(c.x);
            return true;
        case Op::Tick:
            return clock_.fire(*timer(c.word));
        case Op::Resize:
            form_.resize(static_cast<int>(c.x), static_cast<int>(c.y));
            return true;
        default:
            return true;
        }
    }

    bool key(int code) {
        if (int ascii = typedCharacter(code); ascii != 0) form_.keyPress(ascii);
        form_.keyUp(code);
        return true;
    }

    bool type(const std::string& text) {
        if (form_.focus != &form_.Text1) return false;
        for (char ch : text) form_.keyPress(static_cast<unsigned char>(ch));
        return true;
    }

    Json dump(const Command& c) {
        Json j;
        j["label"] = c.hasWord ? Json(c.word) : Json(nullptr);
        j["time"] = clock_.now();
        j["ended"] = form_.ended;
        j["controls"] = dumpControls(form_);
        j["timers"] = dumpTimers(form_);
        j["fields"] = dumpFields(form_);
        j["keyPreview"] = form_.keyPreview;
        j["focus"] = form_.focus != nullptr ? Json(form_.focus->key()) : Json(nullptr);
        j["events"] = platform_.takeEvents();
        return j;
    }

    ScriptedPlatform platform_;
    Generator rnd_;
    Form1 form_;
    VirtualClock clock_;
    bool started_ = false;
    bool endReported_ = false;
};

} // namespace

ScriptResult runScript(std::string_view script, const std::string& folder, const DumpSink& sink,
                       const WindowSink& window, DatabaseMode database) {
    ScriptResult result;
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        result.status = kCannotRun;
        result.error = folder + ": no such folder";
        return result;
    }
    DumpSink collect = sink ? sink : [&result](const Json& d) { result.dumps.push_back(d); };
    try {
        auto commands = parseScript(script);
        Session session(folder, database);
        session.checkNames(commands);
        for (const Command& c : commands) session.run(c, collect, window);
        session.finish(collect, window);
    } catch (const ScriptError& e) {
        result.status = kMalformed;
        result.error = e.what();
    }
    return result;
}

std::string dumpLine(const Json& dump) {
    return dump.dump(-1, ' ', false, Json::error_handler_t::replace);
}

} // namespace kvz::script
