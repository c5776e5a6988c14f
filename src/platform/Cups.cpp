// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Cups.h"

#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>

#include <cups/cups.h>
#include <memory>

namespace cups {
namespace {

// A connection to the scheduler whose every wait ends at the limit.
class Connection {
public:
    explicit Connection(int limitMs) {
        http_ =
            httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, limitMs, nullptr);
        if (http_)
            httpSetTimeout(http_, limitMs / 1000.0, &Connection::givesUp, this);
    }
    ~Connection() {
        if (http_)
            httpClose(http_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    http_t* http() const { return http_; }
    // What became of a request that got no answer.
    Outcome failed() const { return timedOut_ ? Outcome::NoAnswer : Outcome::NotRunning; }

private:
    // Called by libcups when a wait reaches the limit: stop waiting.
    static int givesUp(http_t*, void* self) {
        static_cast<Connection*>(self)->timedOut_ = true;
        return 0;
    }

    http_t* http_ = nullptr;
    bool timedOut_ = false;
};

struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

ipp_t* newRequest(ipp_op_t op, const QString& queue) {
    ipp_t* request = ippNewRequest(op);
    if (!queue.isEmpty()) {
        char uri[HTTP_MAX_URI];
        httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                         "/printers/%s", queue.toUtf8().constData());
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    }
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    return request;
}

QString text(ipp_attribute_t* attr) {
    return attr ? QString::fromUtf8(ippGetString(attr, 0, nullptr)) : QString();
}

int integer(ipp_t* col, const char* name) {
    ipp_attribute_t* attr = col ? ippFindAttribute(col, name, IPP_TAG_INTEGER) : nullptr;
    return attr ? ippGetInteger(attr, 0) : -1;
}

} // namespace

PrinterList printerList(int limitMs) {
    PrinterList list;
    Connection c(limitMs);
    if (!c.http())
        return list;
    static const char* const wanted[] = {"printer-name"};
    ipp_t* request = newRequest(IPP_OP_CUPS_GET_PRINTERS, {});
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 1, nullptr, wanted);
    Ipp answer(cupsDoRequest(c.http(), request, "/"));
    if (!answer) {
        list.outcome = cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND ? Outcome::Answered : c.failed();
        return list;
    }
    for (ipp_attribute_t* a = ippFirstAttribute(answer.get()); a; a = ippNextAttribute(answer.get()))
        if (ippGetGroupTag(a) == IPP_TAG_PRINTER && qstrcmp(ippGetName(a), "printer-name") == 0)
            list.names.append(text(a));
    // The user's own default (LPDEST, PRINTER, lpoptions) comes first, as for lp.
    const char* def = cupsGetDefault2(c.http());
    if (!def && cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND && c.failed() == Outcome::NoAnswer)
        return {Outcome::NoAnswer, {}, {}};
    list.defaultName = QString::fromUtf8(def ? def : "");
    list.outcome = Outcome::Answered;
    return list;
}

QueueState queueState(const QString& queue, int limitMs) {
    QueueState q;
    Connection c(limitMs);
    if (!c.http())
        return q;
    static const char* const wanted[] = {"printer-is-accepting-jobs", "printer-state",
                                         "printer-state-message", "media-col-default"};
    ipp_t* request = newRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, queue);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 4, nullptr, wanted);
    Ipp answer(cupsDoRequest(c.http(), request, "/"));
    if (!answer) {
        if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND)
            q.outcome = Outcome::Answered;
        else
            q.outcome = c.failed();
        return q;
    }
    q.outcome = Outcome::Answered;
    if (ippGetStatusCode(answer.get()) > IPP_STATUS_OK_EVENTS_COMPLETE)
        return q;
    q.found = true;
    ipp_t* a = answer.get();
    if (ipp_attribute_t* at = ippFindAttribute(a, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN))
        q.accepting = ippGetBoolean(at, 0);
    if (ipp_attribute_t* at = ippFindAttribute(a, "printer-state", IPP_TAG_ENUM))
        q.state = ippGetInteger(at, 0);
    q.stateMessage = text(ippFindAttribute(a, "printer-state-message", IPP_TAG_TEXT)).trimmed();
    ipp_attribute_t* media = ippFindAttribute(a, "media-col-default", IPP_TAG_BEGIN_COLLECTION);
    ipp_t* col = media ? ippGetCollection(media, 0) : nullptr;
    ipp_attribute_t* size = col ? ippFindAttribute(col, "media-size", IPP_TAG_BEGIN_COLLECTION) : nullptr;
    ipp_t* dims = size ? ippGetCollection(size, 0) : nullptr;
    const int w = integer(dims, "x-dimension"), h = integer(dims, "y-dimension");
    if (w > 0 && h > 0) {
        // IPP gives hundredths of a millimetre.
        q.paperMm = QSizeF(w / 100.0, h / 100.0);
        q.marginsMm = QMarginsF(qMax(0, integer(col, "media-left-margin")) / 100.0,
                                qMax(0, integer(col, "media-top-margin")) / 100.0,
                                qMax(0, integer(col, "media-right-margin")) / 100.0,
                                qMax(0, integer(col, "media-bottom-margin")) / 100.0);
    }
    return q;
}

Submission submitPdf(const QString& queue, const QString& pdfFile, const QString& title, int limitMs) {
    Submission s;
    Connection c(limitMs);
    if (!c.http())
        return s;
    ipp_t* request = newRequest(IPP_OP_PRINT_JOB, queue);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.toUtf8().constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, "application/pdf");
    const QByteArray resource = "/printers/" + queue.toUtf8();
    Ipp answer(cupsDoFileRequest(c.http(), request, resource.constData(), pdfFile.toLocal8Bit().constData()));
    if (!answer && c.failed() == Outcome::NoAnswer) {
        s.outcome = Outcome::NoAnswer;
        return s;
    }
    // Any answer, or a connection lost on the way, tells what became of the job.
    s.outcome = Outcome::Answered;
    s.status = answer ? ippGetStatusCode(answer.get()) : cupsLastError();
    s.statusText = QString::fromUtf8(cupsLastErrorString());
    if (answer && s.status <= IPP_STATUS_OK_EVENTS_COMPLETE)
        if (ipp_attribute_t* id = ippFindAttribute(answer.get(), "job-id", IPP_TAG_INTEGER))
            s.jobId = ippGetInteger(id, 0);
    return s;
}

QString queueRefusal(const QueueState& queue) {
    if (queue.outcome != Outcome::Answered)
        return unreachable(queue.outcome);
    if (!queue.found)
        return QStringLiteral("la stampante non è installata");
    const QString why =
        queue.stateMessage.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(queue.stateMessage);
    if (!queue.accepting)
        return QStringLiteral("la stampante non accetta lavori") + why;
    if (queue.state == IPP_PSTATE_STOPPED)
        return QStringLiteral("la stampante è ferma") + why;
    return {};
}

QString jobRefusal(int ippStatus, const QString& cupsText) {
    if (cupsText.contains(QLatin1String("quota"), Qt::CaseInsensitive))
        return QStringLiteral("è stata raggiunta la quota di stampa");
    switch (ippStatus) {
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
        return QStringLiteral("non hai il permesso di stampare su questa stampante");
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        return QStringLiteral("la stampante non accetta lavori");
    case IPP_STATUS_ERROR_NOT_FOUND:
        return QStringLiteral("la stampante non è installata");
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
        return QStringLiteral("il servizio di stampa non è disponibile");
    default:
        break;
    }
    const QString own = cupsText.isEmpty()
                            ? QString::fromUtf8(ippErrorString(static_cast<ipp_status_t>(ippStatus)))
                            : cupsText;
    return QStringLiteral("il servizio di stampa ha rifiutato il lavoro (%1)").arg(own);
}

QString unreachable(Outcome outcome) {
    return outcome == Outcome::NoAnswer ? QStringLiteral("il servizio di stampa non risponde")
                                        : QStringLiteral("il servizio di stampa non è attivo");
}

} // namespace cups

namespace {
// While a request waits, a window closed from its frame stays open: the
// print in progress belongs to it.
class KeepWindowsOpen final : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Close && event->spontaneous()) {
            event->ignore();
            return true;
        }
        return false;
    }
};
} // namespace

bool waitKeepingWindowsAlive(const std::function<bool()>& ready, int limitMs) {
    if (ready())
        return true;
    QElapsedTimer waited;
    waited.start();
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QThread::currentThread() != app->thread()) {
        while (!ready() && waited.elapsed() < limitMs)
            QThread::msleep(10);
        return ready();
    }
    KeepWindowsOpen keepOpen;
    app->installEventFilter(&keepOpen);
    QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(10);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (ready() || waited.elapsed() >= limitMs)
            loop.quit();
    });
    tick.start();
    // Windows repaint meanwhile; clicks and keys wait, so nothing prints twice.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QGuiApplication::restoreOverrideCursor();
    return ready();
}
