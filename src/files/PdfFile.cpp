#include "files/PdfFile.h"

#include "files/TextFile.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>

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
} // namespace

bool PdfFile::complete(const QString &path, QString *why, QByteArray *contents)
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
    if (contents)
        *contents = bytes;
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
    // The writer draws into a scratch file beside the target; once that is checked whole, its
    // bytes are saved over the target as any file is, so the old file survives any failure.
    const TextFile::Target target = TextFile::resolved(chosen, why);
    if (target.isNull())
        return false;
    const QString opened = target.openName();
    QTemporaryFile part(opened.left(opened.lastIndexOf('/') + 1) + ".XXXXXX.pdf.part");
    if (!part.open()) {
        *why = target.failure(part.errorString());
        return false;
    }
    printer->setOutputFileName(part.fileName());
    const bool painted = print(printer);
    printer->setOutputFileName(chosen);
    if (!painted) {
        *why = target.failure("the PDF could not be drawn");
        return false;
    }
    QByteArray bytes;
    if (!complete(part.fileName(), why, &bytes)) {
        *why = target.failure(*why);
        return false;
    }
    return TextFile::write(target, bytes, why);
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
