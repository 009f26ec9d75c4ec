#ifndef ERRCAPTURE_H
#define ERRCAPTURE_H

#include <QString>
#include <iostream>
#include <sstream>

// Collects what is written to the standard error stream while alive.
class ErrCapture
{
public:
    ErrCapture() : old(std::cerr.rdbuf(buffer.rdbuf())) {}
    ~ErrCapture() { std::cerr.rdbuf(old); }
    ErrCapture(const ErrCapture &) = delete;
    ErrCapture &operator=(const ErrCapture &) = delete;
    QString text() const { return QString::fromStdString(buffer.str()); }

private:
    std::stringstream buffer;
    std::streambuf *old;
};

#endif
