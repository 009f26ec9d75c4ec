#include "files/PdfFile.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {
bool isSpace(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

// The number written in bytes from pos on (after blanks), or -1; pos moves past it.
qint64 readNumber(const QByteArray &bytes, int &pos)
{
    while (pos < bytes.size() && isSpace(bytes[pos]))
        ++pos;
    qint64 value = -1;
    while (pos < bytes.size() && bytes[pos] >= '0' && bytes[pos] <= '9' && value < (qint64(1) << 40))
        value = (value < 0 ? 0 : value * 10) + (bytes[pos++] - '0');
    return value;
}

// A new empty file beside the target, created with the permissions a new file gets; its name
// in path.
bool createBeside(const QString &target, QString *path, QString *why)
{
    const QFileInfo info(target);
    QFile file;
    for (int attempt = 0; attempt < 100; ++attempt) {
        file.setFileName(info.absolutePath() + "/." + info.fileName() + "." +
                         QString::number(QRandomGenerator::global()->generate(), 36) + ".part");
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            *path = file.fileName();
            return true;
        }
        if (file.exists())
            continue;
        break;
    }
    *why = file.errorString();
    return false;
}

bool syncToDisk(const QString &path, QString *why)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *why = file.errorString();
        return false;
    }
    if (::fsync(file.handle()) != 0) {
        *why = qt_error_string(errno);
        return false;
    }
    return true;
}
} // namespace

bool PdfFile::complete(const QString &path, QString *why)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *why = file.errorString();
        return false;
    }
    // The drawings and reports written here are small beside this bound.
    if (file.size() > (qint64(1) << 30)) {
        *why = "the PDF file is larger than 1 GiB";
        return false;
    }
    const QByteArray bytes = file.readAll();
    const QString incomplete =
        QString("the PDF file came out incomplete (%1 bytes written): the disk may be full").arg(bytes.size());
    if (bytes.size() != file.size() || !bytes.startsWith("%PDF-")) {
        *why = incomplete;
        return false;
    }
    int end = bytes.size();
    while (end > 0 && isSpace(bytes[end - 1]))
        --end;
    const int startxref = bytes.lastIndexOf("startxref", end);
    if (end < 5 || bytes.mid(end - 5, 5) != "%%EOF" || startxref < 0) {
        *why = incomplete;
        return false;
    }
    // The writer counts every byte it writes and names the offset of its cross-reference
    // table in the trailer: the table is found there, and the trailer right after its
    // entries, only when no byte before it went missing.
    int pos = startxref + 9;
    const qint64 table = readNumber(bytes, pos);
    pos = int(qBound(qint64(-1), table, qint64(bytes.size())));
    bool whole = pos >= 0 && bytes.mid(pos, 4) == "xref";
    if (whole) {
        pos += 4;
        const qint64 first = readNumber(bytes, pos);
        const qint64 count = readNumber(bytes, pos);
        while (pos < bytes.size() && isSpace(bytes[pos]))
            ++pos;
        whole = first >= 0 && count >= 0 && pos + 20 * count < startxref &&
                bytes.mid(int(pos + 20 * count), 7) == "trailer";
    }
    if (!whole) {
        *why = incomplete;
        return false;
    }
    return true;
}

bool PdfFile::print(QPrinter *printer, const std::function<bool(QPrinter *)> &print, QString *why)
{
    const QString chosen = printer->outputFileName();
    if (printer->outputFormat() != QPrinter::PdfFormat || chosen.isEmpty()) {
        if (print(printer))
            return true;
        *why = "the printer could not be opened";
        return false;
    }
    // As a saved text file: a link is followed, and a file the user may not write is kept.
    const QFileInfo existing(chosen);
    const QString target = existing.isSymLink() ? existing.symLinkTarget() : chosen;
    if (existing.exists() && !existing.isWritable()) {
        *why = QString("the file %1 is not writable").arg(chosen);
        return false;
    }
    QString part;
    if (!createBeside(target, &part, why))
        return false;
    printer->setOutputFileName(part);
    const bool painted = print(printer);
    printer->setOutputFileName(chosen);
    bool ok = painted;
    if (!painted)
        *why = "the PDF could not be drawn";
    ok = ok && complete(part, why) && syncToDisk(part, why);
    // The replaced file keeps its permissions, as a saved text file does.
    if (ok && QFile::exists(target))
        QFile::setPermissions(part, QFile::permissions(target));
    if (ok && std::rename(QFile::encodeName(part).constData(), QFile::encodeName(target).constData()) != 0) {
        *why = qt_error_string(errno);
        ok = false;
    }
    if (!ok)
        QFile::remove(part);
    return ok;
}

bool PdfFile::render(QPrinter *printer, const std::function<void(QPainter *)> &draw, QString *why)
{
    return print(
        printer,
        [&draw](QPrinter *p) {
            QPainter painter;
            if (!painter.begin(p))
                return false;
            draw(&painter);
            return painter.end();
        },
        why);
}
