// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Cups.h"

#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLibrary>
#include <QThread>
#include <QTimer>

#include <cups/cups.h>
#include <memory>

namespace cups {
namespace {

// The functions of libcups the requests use, with the types its header gives.
#define PONTELO_LIBCUPS(F)                                                                                   \
    F(httpConnect2)                                                                                          \
    F(httpSetTimeout)                                                                                        \
    F(httpClose)                                                                                             \
    F(httpAssembleURI)                                                                                       \
    F(cupsServer)                                                                                            \
    F(cupsEncryption)                                                                                        \
    F(cupsUser)                                                                                              \
    F(cupsDoRequest)                                                                                         \
    F(cupsDoFileRequest)                                                                                     \
    F(cupsGetDefault2)                                                                                       \
    F(cupsLastError)                                                                                         \
    F(cupsLastErrorString)                                                                                   \
    F(ippPort)                                                                                               \
    F(ippNewRequest)                                                                                         \
    F(ippDelete)                                                                                             \
    F(ippAddString)                                                                                          \
    F(ippAddStrings)                                                                                         \
    F(ippFindAttribute)                                                                                      \
    F(ippFirstAttribute)                                                                                     \
    F(ippNextAttribute)                                                                                      \
    F(ippGetGroupTag)                                                                                        \
    F(ippGetName)                                                                                            \
    F(ippGetString)                                                                                          \
    F(ippGetInteger)                                                                                         \
    F(ippGetBoolean)                                                                                         \
    F(ippGetCollection)                                                                                      \
    F(ippGetStatusCode)                                                                                      \
    F(ippErrorString)

struct Libcups {
#define PONTELO_POINTER(name) decltype(&::name) name = nullptr;
    PONTELO_LIBCUPS(PONTELO_POINTER)
#undef PONTELO_POINTER
};

std::unique_ptr<const Libcups> loadLibcups() {
    QLibrary library(QStringLiteral("cups"), 2);
    if (!library.load())
        return nullptr;
    auto api = std::make_unique<Libcups>();
    bool complete = true;
#define PONTELO_RESOLVE(name)                                                                                \
    api->name = reinterpret_cast<decltype(api->name)>(library.resolve(#name));                               \
    complete = complete && api->name;
    PONTELO_LIBCUPS(PONTELO_RESOLVE)
#undef PONTELO_RESOLVE
    if (!complete) {
        library.unload();
        return nullptr;
    }
    return api;
}

// libcups brings some twenty libraries with it (gnutls, Kerberos, Avahi...),
// which a program that prints to "File PDF", or not at all, never needs: it
// is loaded by the first request to CUPS, on that request's own thread, and
// kept for the rest of the run. Null when it is missing or incomplete.
const Libcups* libcups() {
    static const std::unique_ptr<const Libcups> loaded = loadLibcups();
    return loaded.get();
}

// A connection to the scheduler whose every wait ends at the limit.
class Connection {
public:
    Connection(const Libcups& api, int limitMs) : api_(api) {
        http_ = api.httpConnect2(api.cupsServer(), api.ippPort(), nullptr, AF_UNSPEC, api.cupsEncryption(), 1,
                                 limitMs, nullptr);
        if (http_)
            api.httpSetTimeout(http_, limitMs / 1000.0, &Connection::givesUp, this);
    }
    ~Connection() {
        if (http_)
            api_.httpClose(http_);
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

    const Libcups& api_;
    http_t* http_ = nullptr;
    bool timedOut_ = false;
};

// An answer, deleted by the libcups that made it.
struct IppDeleter {
    decltype(&::ippDelete) ippDelete;
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

ipp_t* newRequest(const Libcups& api, ipp_op_t op, const QString& queue) {
    ipp_t* request = api.ippNewRequest(op);
    if (!queue.isEmpty()) {
        char uri[HTTP_MAX_URI];
        const QByteArray resource = "/printers/" + queue.toUtf8();
        api.httpAssembleURI(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", api.ippPort(),
                            resource.constData());
        api.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    }
    api.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                     api.cupsUser());
    return request;
}

QString text(const Libcups& api, ipp_attribute_t* attr) {
    return attr ? QString::fromUtf8(api.ippGetString(attr, 0, nullptr)) : QString();
}

int integer(const Libcups& api, ipp_t* col, const char* name) {
    ipp_attribute_t* attr = col ? api.ippFindAttribute(col, name, IPP_TAG_INTEGER) : nullptr;
    return attr ? api.ippGetInteger(attr, 0) : -1;
}

// Runs a request on a new connection. Without libcups, or without a
// connection, the answer says so and the request does not run.
template <class Answer>
Answer ask(int limitMs, const std::function<Answer(const Libcups&, Connection&)>& request) {
    Answer none;
    const Libcups* api = libcups();
    if (!api) {
        none.outcome = Outcome::NoLibrary;
        return none;
    }
    Connection connection(*api, limitMs);
    if (!connection.http())
        return none;
    return request(*api, connection);
}

} // namespace

PrinterList printerList(int limitMs) {
    return ask<PrinterList>(limitMs, [](const Libcups& c, Connection& connection) {
        PrinterList list;
        static const char* const wanted[] = {"printer-name"};
        ipp_t* request = newRequest(c, IPP_OP_CUPS_GET_PRINTERS, {});
        c.ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 1, nullptr,
                        wanted);
        Ipp answer(c.cupsDoRequest(connection.http(), request, "/"), IppDeleter{c.ippDelete});
        if (!answer) {
            list.outcome =
                c.cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND ? Outcome::Answered : connection.failed();
            return list;
        }
        for (ipp_attribute_t* a = c.ippFirstAttribute(answer.get()); a; a = c.ippNextAttribute(answer.get()))
            if (c.ippGetGroupTag(a) == IPP_TAG_PRINTER && qstrcmp(c.ippGetName(a), "printer-name") == 0)
                list.names.append(text(c, a));
        // The user's own default (LPDEST, PRINTER, lpoptions) comes first, as for lp.
        const char* def = c.cupsGetDefault2(connection.http());
        if (!def && c.cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND &&
            connection.failed() == Outcome::NoAnswer)
            return PrinterList{Outcome::NoAnswer, {}, {}};
        list.defaultName = QString::fromUtf8(def ? def : "");
        list.outcome = Outcome::Answered;
        return list;
    });
}

QueueState queueState(const QString& queue, int limitMs) {
    return ask<QueueState>(limitMs, [&queue](const Libcups& c, Connection& connection) {
        QueueState q;
        static const char* const wanted[] = {"printer-is-accepting-jobs", "printer-state",
                                             "printer-state-message", "media-col-default"};
        ipp_t* request = newRequest(c, IPP_OP_GET_PRINTER_ATTRIBUTES, queue);
        c.ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 4, nullptr,
                        wanted);
        Ipp answer(c.cupsDoRequest(connection.http(), request, "/"), IppDeleter{c.ippDelete});
        if (!answer) {
            if (c.cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND)
                q.outcome = Outcome::Answered;
            else
                q.outcome = connection.failed();
            return q;
        }
        q.outcome = Outcome::Answered;
        if (c.ippGetStatusCode(answer.get()) > IPP_STATUS_OK_EVENTS_COMPLETE)
            return q;
        q.found = true;
        ipp_t* a = answer.get();
        if (ipp_attribute_t* at = c.ippFindAttribute(a, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN))
            q.accepting = c.ippGetBoolean(at, 0);
        if (ipp_attribute_t* at = c.ippFindAttribute(a, "printer-state", IPP_TAG_ENUM))
            q.state = c.ippGetInteger(at, 0);
        q.stateMessage = text(c, c.ippFindAttribute(a, "printer-state-message", IPP_TAG_TEXT)).trimmed();
        ipp_attribute_t* media = c.ippFindAttribute(a, "media-col-default", IPP_TAG_BEGIN_COLLECTION);
        ipp_t* col = media ? c.ippGetCollection(media, 0) : nullptr;
        ipp_attribute_t* size =
            col ? c.ippFindAttribute(col, "media-size", IPP_TAG_BEGIN_COLLECTION) : nullptr;
        ipp_t* dims = size ? c.ippGetCollection(size, 0) : nullptr;
        const int w = integer(c, dims, "x-dimension"), h = integer(c, dims, "y-dimension");
        if (w > 0 && h > 0) {
            // IPP gives hundredths of a millimetre.
            q.paperMm = QSizeF(w / 100.0, h / 100.0);
            q.marginsMm = QMarginsF(qMax(0, integer(c, col, "media-left-margin")) / 100.0,
                                    qMax(0, integer(c, col, "media-top-margin")) / 100.0,
                                    qMax(0, integer(c, col, "media-right-margin")) / 100.0,
                                    qMax(0, integer(c, col, "media-bottom-margin")) / 100.0);
        }
        return q;
    });
}

Submission submitPdf(const QString& queue, const QString& pdfFile, const QString& title, int limitMs) {
    return ask<Submission>(limitMs, [&](const Libcups& c, Connection& connection) {
        Submission s;
        ipp_t* request = newRequest(c, IPP_OP_PRINT_JOB, queue);
        c.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr,
                       title.toUtf8().constData());
        c.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr,
                       "application/pdf");
        const QByteArray resource = "/printers/" + queue.toUtf8();
        Ipp answer(c.cupsDoFileRequest(connection.http(), request, resource.constData(),
                                       pdfFile.toLocal8Bit().constData()),
                   IppDeleter{c.ippDelete});
        if (!answer && connection.failed() == Outcome::NoAnswer) {
            s.outcome = Outcome::NoAnswer;
            return s;
        }
        // Any answer, or a connection lost on the way, tells what became of the job.
        s.outcome = Outcome::Answered;
        s.status = answer ? c.ippGetStatusCode(answer.get()) : c.cupsLastError();
        s.statusText = QString::fromUtf8(c.cupsLastErrorString());
        // Without CUPS's own words, the status's name stands for them.
        if (s.statusText.isEmpty())
            s.statusText = QString::fromUtf8(c.ippErrorString(static_cast<ipp_status_t>(s.status)));
        if (answer && s.status <= IPP_STATUS_OK_EVENTS_COMPLETE)
            if (ipp_attribute_t* id = c.ippFindAttribute(answer.get(), "job-id", IPP_TAG_INTEGER))
                s.jobId = c.ippGetInteger(id, 0);
        return s;
    });
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
                            ? QStringLiteral("stato IPP 0x%1").arg(ippStatus, 4, 16, QLatin1Char('0'))
                            : cupsText;
    return QStringLiteral("il servizio di stampa ha rifiutato il lavoro (%1)").arg(own);
}

QString unreachable(Outcome outcome) {
    switch (outcome) {
    case Outcome::NoAnswer:
        return QStringLiteral("il servizio di stampa non risponde");
    case Outcome::NoLibrary:
        return QStringLiteral(
            "la libreria di stampa di CUPS (libcups.so.2) non è installata o non si può caricare");
    default:
        return QStringLiteral("il servizio di stampa non è attivo");
    }
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
