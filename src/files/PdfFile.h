#ifndef PDFFILE_H
#define PDFFILE_H

#include <QByteArray>
#include <QString>

#include <functional>

class QPainter;
class QPrinter;

// PDF output that never leaves a truncated file in place of the old one. Qt's PDF writer
// reports no failed write (painter.end() is true on a full disk), so the PDF goes to a new
// file beside the target, is checked once the painter has ended (it ends with the trailer
// "%%EOF" and holds exactly the bytes its writer counted: the cross-reference table sits at
// the offset the trailer gives), and only then is saved over the target as a text file is.
class PdfFile
{
public:
    // Prints through print(printer), which returns false when it could not paint. When the
    // printer writes a PDF file, that file is written as above; printing to a real printer is
    // left to the printer. False, with the reason in why, when the PDF file could not be
    // written whole: the old file, if any, is then untouched and no temporary file is left.
    static bool print(QPrinter *printer, const std::function<bool(QPrinter *)> &print, QString *why);
    // The same for one painting: draw(painter) on a painter begun on the printer.
    static bool render(QPrinter *printer, const std::function<void(QPainter *)> &draw, QString *why);

    // Whether the file is a whole PDF as written by a PDF writer; false with the reason. Its
    // bytes in contents when asked and whole.
    static bool complete(const QString &path, QString *why, QByteArray *contents = nullptr);
};

#endif
