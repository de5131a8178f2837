// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Writer.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

namespace kvz {

namespace {

void commit(const Connection& conn, const std::string& sql, const std::vector<Value>& values) {
    Transaction tx(conn);
    {
        auto st = conn.prepare(sql);
        for (std::size_t i = 0; i < values.size(); ++i) st.bind(static_cast<int>(i) + 1, values[i]);
        st.run();
    }
    tx.commit();
}

class DirectWriter final : public Writer {
  public:
    explicit DirectWriter(const Connection& conn) : conn_(conn) {}
    void write(const std::string& sql, std::vector<Value> values) override {
        commit(conn_, sql, values);
    }
    void settle() override {}
    void check() override {}

  private:
    const Connection& conn_;
};

class BackgroundWriter final : public Writer {
  public:
    explicit BackgroundWriter(std::string path)
        : path_(std::move(path)), thread_([this] { run(); }) {}

    ~BackgroundWriter() override {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

    void write(const std::string& sql, std::vector<Value> values) override {
        {
            std::lock_guard lock(mutex_);
            // A write after a failed one would build on it: the failure is thrown instead,
            // unless it has been reported already.
            if (failed_) return throwFailure();
            queue_.push_back(Job{sql, std::move(values)});
        }
        wake_.notify_all();
    }

    void settle() override {
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return queue_.empty() && !busy_; });
        throwFailure();
    }

    void check() override {
        std::lock_guard lock(mutex_);
        throwFailure();
    }

  private:
    struct Job {
        std::string sql;
        std::vector<Value> values;
    };

    void run() {
        // Opened at the first write, so a run that writes nothing never pays for it.
        std::optional<Connection> conn;
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty()) return; // stopping, and everything is written
            Job job = std::move(queue_.front());
            queue_.pop_front();
            busy_ = true;
            lock.unlock();
            std::optional<DbError> failure;
            try {
                if (!conn) {
                    conn.emplace(path_, kDatabasePassword);
                    conn->useRollbackJournal();
                }
                commit(*conn, job.sql, job.values);
            } catch (const DbError& e) {
                failure = e;
            } catch (const std::exception& e) {
                // Anything else that stops a commit (memory, a thread's resources) is a
                // write that did not happen, told like any other.
                failure = DbError(e.what());
            } catch (...) {
                failure = DbError("the write failed");
            }
            lock.lock();
            busy_ = false;
            if (failure) fail(*failure);
            done_.notify_all();
        }
    }

    // Later writes would build on the one that failed: they are dropped.
    void fail(const DbError& e) {
        failed_ = true;
        failure_ = e;
        queue_.clear();
    }

    void throwFailure() {
        if (!failure_) return;
        DbError e = *failure_;
        failure_.reset();
        throw e;
    }

    const std::string path_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::deque<Job> queue_;
    bool busy_ = false;
    bool stopping_ = false;
    bool failed_ = false;
    std::optional<DbError> failure_;
    std::thread thread_; // last: starts once everything above is ready
};

} // namespace

std::unique_ptr<Writer> directWriter(const Connection& conn) {
    return std::make_unique<DirectWriter>(conn);
}

std::unique_ptr<Writer> backgroundWriter(const std::string& path) {
    return std::make_unique<BackgroundWriter>(path);
}

} // namespace kvz
