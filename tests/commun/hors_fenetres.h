#pragma once
// Checks that database work runs away from the windows' thread while that thread goes on
// answering: every statement run on another thread waits there (up to 3 s) for the windows'
// thread to beat twice more, which it only does if it is not the one doing the work.
#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <sqlite3.h>
#include <atomic>

namespace test {

class HorsFenetres {
public:
    HorsFenetres() {
        metronome_.setInterval(2);
        QObject::connect(&metronome_, &QTimer::timeout, [] { ++battements; });
        metronome_.start();
        ailleurs = battus = 0;
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(&installer));
    }
    ~HorsFenetres() { sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(&installer)); }
    // Since the last call: were statements run away from the windows, each while they answered?
    bool verifie() {
        const bool ok = ailleurs > 0 && battus == ailleurs;
        ailleurs = battus = 0;
        return ok;
    }

private:
    static int installer(sqlite3* p, const char**, const sqlite3_api_routines*) {
        sqlite3_trace_v2(p, SQLITE_TRACE_STMT, &tracer, nullptr);
        return SQLITE_OK;
    }
    static int tracer(unsigned, void*, void*, void*) {
        if (QThread::currentThread() == QCoreApplication::instance()->thread()) return 0;
        ++ailleurs;
        const int avant = battements;
        for (int i = 0; i < 3000 && battements < avant + 2; ++i) QThread::msleep(1);
        if (battements >= avant + 2) ++battus;
        return 0;
    }
    static inline std::atomic<int> battements{0}, ailleurs{0}, battus{0};
    QTimer metronome_;
};

}  // namespace test
