// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtPrinters.h"

#include "platform/Cups.h"
#include "platform/Fonts.h"
#include "platform/Platform.h"
#include "platform/Printers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QIODevice>
#include <QPainter>
#include <QPdfWriter>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kResolution = 1200;

// Everything the PDF writer produces goes through here, straight to the file,
// and the first failed write is kept: a short file is never taken for a
// whole one.
class CheckedOutput final : public QIODevice {
public:
    explicit CheckedOutput(int fd) : fd_(fd) { open(QIODevice::WriteOnly); }

    // Writes what is left, flushes it to the disk and checks that the file
    // holds every byte written; false with errno's reason kept otherwise.
    bool finish() {
        flushBuffer();
        if (error_ == 0 && ::fsync(fd_) != 0)
            error_ = errno;
        struct stat st {};
        if (error_ == 0 && (::fstat(fd_, &st) != 0 || st.st_size != written_))
            error_ = EIO;
        return error_ == 0;
    }
    int error() const { return error_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override {
        if (error_ != 0)
            return -1;
        buffer_.append(data, len);
        written_ += len;
        if (buffer_.size() >= 65536)
            flushBuffer();
        return error_ == 0 ? len : -1;
    }

private:
    void flushBuffer() {
        const char* p = buffer_.constData();
        qint64 left = buffer_.size();
        while (error_ == 0 && left > 0) {
            const ssize_t n = ::write(fd_, p, static_cast<size_t>(left));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                error_ = n < 0 ? errno : EIO;
            else {
                p += n;
                left -= n;
            }
        }
        buffer_.clear();
    }

    int fd_;
    int error_ = 0;
    qint64 written_ = 0;
    QByteArray buffer_;
};

// The file being written, removed if the program is ended by a signal before
// it has its final name, so a killed print leaves nothing behind.
char gPartFile[4096];
volatile sig_atomic_t gPartFileSet = 0;
constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP};
struct sigaction gPreviousActions[std::size(kEndingSignals)];

extern "C" void removePartFileAndEnd(int sig) {
    if (gPartFileSet)
        ::unlink(gPartFile);
    for (size_t i = 0; i < std::size(kEndingSignals); ++i)
        if (kEndingSignals[i] == sig)
            ::sigaction(sig, &gPreviousActions[i], nullptr);
    ::raise(sig);
}

void guardPartFile(const QByteArray& path) {
    if (static_cast<size_t>(path.size()) >= sizeof gPartFile)
        return;
    std::memcpy(gPartFile, path.constData(), static_cast<size_t>(path.size()) + 1);
    gPartFileSet = 1;
    struct sigaction action {};
    action.sa_handler = removePartFileAndEnd;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < std::size(kEndingSignals); ++i)
        ::sigaction(kEndingSignals[i], &action, &gPreviousActions[i]);
}

void unguardPartFile() {
    if (!gPartFileSet)
        return;
    for (size_t i = 0; i < std::size(kEndingSignals); ++i)
        ::sigaction(kEndingSignals[i], &gPreviousActions[i], nullptr);
    gPartFileSet = 0;
}

// Gives the written file the first free name of "base.pdf", "base (2).pdf"...
// A name is taken only if nobody has it at that very moment, so two programs
// printing at once never end up with one file. Empty, errno kept, on failure.
QString giveFinalName(const QByteArray& partFile, const QString& folder, const QString& base, int* error) {
    for (int n = 1; n < 10000; ++n) {
        const QString name =
            n == 1 ? base + QStringLiteral(".pdf") : QStringLiteral("%1 (%2).pdf").arg(base).arg(n);
        const QString path = QDir(folder).filePath(name);
        const QByteArray target = QFile::encodeName(path);
        if (::renameat2(AT_FDCWD, partFile.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
            return path;
        if (errno == EEXIST)
            continue;
        if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
            *error = errno;
            return {};
        }
        // A file system that cannot rename without replacing: a hard link
        // cannot replace either.
        if (::link(partFile.constData(), target.constData()) == 0) {
            ::unlink(partFile.constData());
            return path;
        }
        if (errno != EEXIST) {
            *error = errno;
            return {};
        }
    }
    *error = EEXIST;
    return {};
}

// Makes the new name itself survive a power cut.
void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

QString writeFailureReason(int error, const QString& folder) {
    const QString where = QDir::toNativeSeparators(QFileInfo(folder).absoluteFilePath());
    switch (error) {
    case ENOSPC:
        return QStringLiteral("spazio esaurito nella cartella «%1»").arg(where);
    case EDQUOT:
        return QStringLiteral("spazio esaurito nella cartella «%1» (quota del disco)").arg(where);
    case EROFS:
        return QStringLiteral("la cartella «%1» è su un disco di sola lettura").arg(where);
    case EACCES:
    case EPERM:
        return QStringLiteral("non si può scrivere nella cartella «%1»").arg(where);
    case EIO:
        return QStringLiteral("errore del disco scrivendo nella cartella «%1»").arg(where);
    default:
        return QStringLiteral("non si può scrivere nella cartella «%1» (%2)")
            .arg(where, QString::fromLocal8Bit(std::strerror(error)));
    }
}

QString documentsFolder() {
    if (!qEnvironmentVariableIsEmpty("HOME"))
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // Without HOME, Qt would take the root of the file system as the home.
    const passwd* account = ::getpwuid(::getuid());
    if (!account || !account->pw_dir || !*account->pw_dir)
        return {};
    const QString home = QFile::decodeName(account->pw_dir);
    // The user's own name for the folder, as xdg-user-dirs writes it.
    QFile dirs(home + QStringLiteral("/.config/user-dirs.dirs"));
    if (dirs.open(QIODevice::ReadOnly | QIODevice::Text)) {
        while (!dirs.atEnd()) {
            const QString line = QString::fromUtf8(dirs.readLine()).trimmed();
            if (!line.startsWith(QLatin1String("XDG_DOCUMENTS_DIR=")))
                continue;
            QString value = line.mid(18).remove(QLatin1Char('"'));
            value.replace(QLatin1String("$HOME"), home);
            if (QDir::isAbsolutePath(value) && QDir::cleanPath(value) != QDir::cleanPath(home))
                return QDir::cleanPath(value);
        }
    }
    return home + QStringLiteral("/Documents");
}

bool fontAvailable(const QString& family) {
    if (QFontDatabase::families().contains(family))
        return true;
    const QStringList& faces = metricCompatibleFaces(family);
    if (faces.isEmpty())
        return false;
    const QString resolved = QFontInfo(QFont(family)).family();
    return faces.contains(resolved);
}

// One document being drawn into a PDF file: for "File PDF" a hidden file in
// the target folder, for a CUPS printer a file in the temporary folder.
struct QtPrinters::Document {
    QString device;
    QString folder;
    QByteArray partFile;
    int fd = -1;
    std::unique_ptr<CheckedOutput> out;
    std::unique_ptr<QPdfWriter> writer;
    QPainter painter;

    // Opens a new file no other program can have; false with errno kept.
    bool open(const QString& inFolder) {
        folder = inFolder;
        partFile = QFile::encodeName(QDir(inFolder).filePath(QStringLiteral(".Pontelo-XXXXXX.part")));
        fd = ::mkostemps(partFile.data(), 5, O_CLOEXEC);
        if (fd < 0)
            return false;
        guardPartFile(partFile);
        out = std::make_unique<CheckedOutput>(fd);
        writer = std::make_unique<QPdfWriter>(out.get());
        writer->setResolution(kResolution);
        return true;
    }
    // Closes the file, keeping it; false with errno kept when closing fails.
    bool close() {
        if (painter.isActive())
            painter.end();
        writer.reset();
        out.reset();
        const int rc = fd >= 0 ? ::close(fd) : 0;
        fd = -1;
        return rc == 0;
    }
    // The file was written and named, or must go.
    void released() {
        partFile.clear();
        unguardPartFile();
    }
    ~Document() {
        const int saved = errno;
        close();
        if (!partFile.isEmpty())
            ::unlink(partFile.constData());
        unguardPartFile();
        errno = saved;
    }
};

struct QtPrinters::PrinterList {
    bool answered = false;
    cups::PrinterList list;
};

QtPrinters::QtPrinters() = default;

QtPrinters::~QtPrinters() = default;

QtPrinters::PrinterList QtPrinters::askPrinterList() const {
    PrinterList result;
    if (sinceNoAnswer_.isValid() && sinceNoAnswer_.elapsed() < 5000)
        return result;
    const int limit = kCupsLimitMs;
    const auto answer =
        offUiThread<cups::PrinterList>([limit] { return cups::printerList(limit); }, limit + 2000);
    if (!answer || answer->outcome == cups::Outcome::NoAnswer) {
        sinceNoAnswer_.start();
        return result;
    }
    sinceNoAnswer_.invalidate();
    result.answered = true;
    result.list = *answer;
    return result;
}

QStringList QtPrinters::deviceNames() const {
    // Without an answer only "File PDF" is offered; it never needs CUPS.
    QStringList names = askPrinterList().list.names;
    names.removeAll(kFilePdf);
    names.append(kFilePdf);
    return names;
}

QString QtPrinters::defaultPrinter() const {
    const PrinterList answer = askPrinterList();
    // A service that does not answer now may later: "File PDF" stands in.
    defaultProvisional_ = !answer.answered;
    const QString name = answer.list.defaultName;
    return name.isEmpty() ? kFilePdf : name;
}

QStringList QtPrinters::fonts() const {
    QStringList families = QFontDatabase::families();
    for (const QString& classic : {QStringLiteral("Courier New"), QStringLiteral("Courier")})
        if (!families.contains(classic) && fontAvailable(classic))
            families.append(classic);
    return families;
}

QSizeF QtPrinters::printableAreaTwips() const {
    if (doc_ && doc_->writer)
        return doc_->writer->pageLayout().paintRectPoints().size() * 20.0;
    // No document started yet: the whole A4 page that "File PDF" writes.
    return QPageSize(QPageSize::A4).size(QPageSize::Point) * 20.0;
}

QFont QtPrinters::currentFont() const {
    return font();
}

double QtPrinters::toDevice(float twips) const {
    return static_cast<double>(twips) * kResolution / 1440.0;
}

bool QtPrinters::beginDocument() {
    if (doc_)
        return true;
    auto doc = std::make_unique<Document>();
    doc->device = currentPrinter();
    const bool started = doc->device == kFilePdf ? beginPdfFile(*doc) : beginCupsJob(*doc);
    if (!started)
        return false;
    doc->writer->setTitle(documentName());
    doc->writer->setCreator(programTitle());
    if (!doc->painter.begin(doc->writer.get())) {
        failDocument(QStringLiteral("il documento non si è potuto avviare"));
        return false;
    }
    doc_ = std::move(doc);
    return true;
}

bool QtPrinters::beginPdfFile(Document& doc) {
    // A folder that cannot be made (a file stands in its way, a read-only
    // disk) is told before anything is drawn. The folder is looked up for
    // each document, as the user may have moved it meanwhile.
    const QString folder = documentsFolder();
    if (folder.isEmpty() || !QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
        failDocument(writeFailureReason(EACCES, folder));
        return false;
    }
    if (!doc.open(folder)) {
        failDocument(writeFailureReason(errno, folder));
        return false;
    }
    // A PDF page has no unprintable border: positions count from its corner.
    doc.writer->setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    return true;
}

bool QtPrinters::beginCupsJob(Document& doc) {
    const int limit = kCupsLimitMs;
    const QString queue = doc.device;
    const auto state = offUiThread<cups::QueueState>(
        [queue, limit] { return cups::queueState(queue, limit); }, limit + 2000);
    const QString refusal = state ? cups::queueRefusal(*state) : cups::unreachable(cups::Outcome::NoAnswer);
    if (!refusal.isEmpty()) {
        failDocument(refusal);
        return false;
    }
    if (!doc.open(QDir::tempPath())) {
        failDocument(writeFailureReason(errno, QDir::tempPath()));
        return false;
    }
    // The printer's own default paper, positions counted from the corner of
    // its printable area; A4 when CUPS does not say.
    if (state->paperMm.isValid() && !state->paperMm.isEmpty()) {
        doc.writer->setPageLayout(QPageLayout(QPageSize(state->paperMm, QPageSize::Millimeter),
                                              QPageLayout::Portrait, state->marginsMm,
                                              QPageLayout::Millimeter));
    } else {
        doc.writer->setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    }
    return true;
}

void QtPrinters::discardDocument() {
    doc_.reset();
}

float QtPrinters::lineHeightTwips() const {
    if (doc_) {
        const QFontMetricsF metrics(currentFont(), doc_->writer.get());
        return static_cast<float>(metrics.height() * 1440.0 / kResolution);
    }
    return fontSize() * 20.0f * 1.15f;
}

void QtPrinters::drawText(const QString& text) {
    if (!beginDocument())
        return;
    QPainter& p = doc_->painter;
    p.setFont(QFont(currentFont(), doc_->writer.get()));
    const QFontMetricsF metrics(p.font(), doc_->writer.get());
    // Without any face for the text the page would hold empty boxes.
    const bool visible = std::any_of(text.begin(), text.end(), [](QChar c) { return !c.isSpace(); });
    if (visible && (QFontDatabase::families().isEmpty() ||
                    std::none_of(text.begin(), text.end(),
                                 [&](QChar c) { return !c.isSpace() && metrics.inFont(c); }))) {
        failDocument(
            QStringLiteral("non c'è un font per scrivere il testo (installa il font «%1»)").arg(fontName()));
        discardDocument();
        return;
    }
    p.setPen(textColor());
    p.drawText(QPointF(toDevice(currentX()), toDevice(currentY()) + metrics.ascent()), text);
}

void QtPrinters::drawPicture(const QImage& picture, float x, float y, float width, float height) {
    if (!beginDocument())
        return;
    doc_->painter.drawImage(QRectF(toDevice(x), toDevice(y), toDevice(width), toDevice(height)), picture);
}

void QtPrinters::finishDocument() {
    // A document that never started (nothing drawn, or it failed) sends nothing.
    if (!doc_ || documentFailed()) {
        discardDocument();
        return;
    }
    std::unique_ptr<Document> doc = std::move(doc_);
    const bool ended = doc->painter.end();
    if (!doc->out->finish() || !ended) {
        const int error = doc->out->error() != 0 ? doc->out->error() : EIO;
        failDocument(writeFailureReason(error, doc->folder));
        return;
    }
    if (!doc->close()) {
        failDocument(writeFailureReason(errno, doc->folder));
        return;
    }
    if (doc->device == kFilePdf)
        finishPdfFile(*doc);
    else
        finishCupsJob(*doc);
}

void QtPrinters::finishPdfFile(Document& doc) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh.mm.ss"));
    const QString base = QStringLiteral("Pontelo - %1 - %2").arg(documentName(), stamp);
    int error = 0;
    const QString file = giveFinalName(doc.partFile, doc.folder, base, &error);
    if (file.isEmpty()) {
        failDocument(writeFailureReason(error, doc.folder));
        return;
    }
    doc.released();
    syncFolder(doc.folder);
    platform::messageBox().show(QStringLiteral("Il documento è stato salvato nel file %1").arg(file));
}

void QtPrinters::finishCupsJob(Document& doc) {
    const int limit = kCupsLimitMs;
    const QString queue = doc.device;
    const QString file = QFile::decodeName(doc.partFile);
    const QString title = documentName();
    const auto job = offUiThread<cups::Submission>([=] { return cups::submitPdf(queue, file, title, limit); },
                                                   limit + 2000);
    // The Document removes its file when it goes; CUPS has its own copy by then.
    if (!job || job->outcome != cups::Outcome::Answered) {
        failDocument(cups::unreachable(job ? job->outcome : cups::Outcome::NoAnswer));
        return;
    }
    if (job->jobId <= 0)
        failDocument(cups::jobRefusal(job->status, job->statusText));
}
