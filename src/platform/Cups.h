// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMarginsF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <future>
#include <optional>
#include <thread>

// Requests to the CUPS scheduler through libcups, the way the printers reach
// it. libcups is loaded by the first request (see Cups.cpp). Each request opens its own connection with a
// time limit on connecting and on every wait for an answer, so a scheduler that accepts connections and never
// answers cannot hold it for longer than the limit. They block the calling thread: the printers run them
// through offUiThread().
namespace cups {

enum class Outcome {
    Answered,
    NotRunning, // nothing listens where the scheduler should be
    NoAnswer,   // it took the connection but did not answer in time
    NoLibrary,  // libcups itself is missing: nothing could be asked
};

struct PrinterList {
    Outcome outcome = Outcome::NotRunning;
    QStringList names;
    QString defaultName;
};
PrinterList printerList(int limitMs);

struct QueueState {
    Outcome outcome = Outcome::NotRunning;
    bool found = false;
    bool accepting = true;
    int state = 3; // IPP printer-state: 3 idle, 4 printing, 5 stopped
    QString stateMessage;
    // The default paper and its unprintable borders; empty when not told.
    QSizeF paperMm;
    QMarginsF marginsMm;
};
QueueState queueState(const QString& queue, int limitMs);

struct Submission {
    Outcome outcome = Outcome::NotRunning;
    int jobId = 0;
    int status = 0; // IPP status code of the answer
    QString statusText;
};
Submission submitPdf(const QString& queue, const QString& pdfFile, const QString& title, int limitMs);

// Why a queue cannot take a job now, in Italian; empty when it can.
QString queueRefusal(const QueueState& queue);
// Why CUPS turned a job away, in Italian where the meaning is plain,
// otherwise CUPS's own text.
QString jobRefusal(int ippStatus, const QString& cupsText);
// What the user is told when the scheduler cannot be reached.
QString unreachable(Outcome outcome);

} // namespace cups

// Waits up to limitMs for ready() while the program's windows keep painting
// and show a busy cursor; user input waits until after. True when ready.
bool waitKeepingWindowsAlive(const std::function<bool()>& ready, int limitMs);

// Runs a blocking request on a thread of its own and waits for its answer as
// waitKeepingWindowsAlive() does. Nothing when it did not answer in time: the
// request then finishes on its own and its answer is dropped.
template <class R> std::optional<R> offUiThread(std::function<R()> request, int limitMs) {
    std::packaged_task<R()> task(std::move(request));
    std::future<R> answer = task.get_future();
    std::thread(std::move(task)).detach();
    const bool ready = waitKeepingWindowsAlive(
        [&] { return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, limitMs);
    if (!ready)
        return std::nullopt;
    return answer.get();
}
